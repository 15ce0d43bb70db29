// The tray's display-mode submenu: the system's DisplaySwitch.exe started with the
// switch of the chosen mode.
#pragma once

#include <array>
#include <string>

#include "platform/platform.h"
#include "rtl/ui_text.h"

namespace rimfold {

inline constexpr int kSwShow = 5;
inline constexpr int kDisplayModeCount = 4;

// Captions by item index (the item's tag), as each Windows version names its modes.
using DisplayModeTexts = std::array<UiText, kDisplayModeCount>;
inline constexpr DisplayModeTexts kDisplayModeCaptions10 = {
    UiText::DisplayPcOnly10, UiText::DisplayDuplicate, UiText::DisplayExtend,
    UiText::DisplaySecondOnly10};
inline constexpr DisplayModeTexts kDisplayModeCaptionsBefore10 = {
    UiText::DisplayPcOnlyBefore10, UiText::DisplayDuplicate, UiText::DisplayExtend,
    UiText::DisplayProjectorOnlyBefore10};

// "/internal", "/clone", "/extend", "/external"; empty for any other tag.
std::u16string displaySwitchArgument(int tag);
const DisplayModeTexts& displayModeCaptions(ISystem& s);
// The submenu is offered from Windows 7 on.
bool displayChangeVisible(ISystem& s);
// The system directory followed by "\DisplaySwitch.exe".
std::u16string displaySwitchToolPath(ISystem& s);

// PPDisplayChangeClick: starts the tool (through Sysnative from a 32-bit process on 64-bit
// Windows) when it exists; otherwise nothing happens.
void PPDisplayChangeClick(Platform& p, bool isWow64, Hwnd owner, int tag);

}  // namespace rimfold
