// The tray's display-mode submenu: the system's DisplaySwitch.exe started with the
// switch of the chosen mode.
#pragma once

#include <array>
#include <string>

#include "platform/platform.h"

namespace rimfold {

inline constexpr int kSwShow = 5;
inline constexpr int kDisplayModeCount = 4;

// Captions by item index (the item's tag).
inline constexpr std::array<const char16_t*, kDisplayModeCount> kDisplayModeCaptions10 = {
    u"PC画面のみ", u"複製", u"拡張", u"拡張セカンドスクリーンのみ"};
inline constexpr std::array<const char16_t*, kDisplayModeCount> kDisplayModeCaptionsBefore10 = {
    u"コンピュータのみ", u"複製", u"拡張", u"プロジェクターのみ"};

// "/internal", "/clone", "/extend", "/external"; empty for any other tag.
std::u16string displaySwitchArgument(int tag);
const std::array<const char16_t*, kDisplayModeCount>& displayModeCaptions(ISystem& s);
// The submenu is offered from Windows 7 on.
bool displayChangeVisible(ISystem& s);
// The system directory followed by "\DisplaySwitch.exe".
std::u16string displaySwitchToolPath(ISystem& s);

// PPDisplayChangeClick: starts the tool (through Sysnative from a 32-bit process on 64-bit
// Windows) when it exists; otherwise nothing happens.
void PPDisplayChangeClick(Platform& p, bool isWow64, Hwnd owner, int tag);

}  // namespace rimfold
