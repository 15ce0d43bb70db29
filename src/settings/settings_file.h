// Rimfold.ini: the tray menu's state and the stop/resume hotkey text between runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "settings/data_paths.h"
#include "rtl/ini_file.h"
#include "rtl/ui_text.h"

namespace rimfold {

struct TraySettings {
  bool Stop = false;             // PPStop
  bool DispDialog = true;        // PPDispDialog
  bool MoveWindowSpeed = false;  // PPMoveWindowSpeed
  std::int32_t Constraints = 0;  // MPPConstraintsC, 0..3
  std::u16string HotKeyStop;     // MHotKeyStop
  bool ReturnWindows = true;     // PPReturnWindows
  // [Tray] Language, "ja" or "en". Unset while the file holds neither and the user has not
  // chosen (the program is then Japanese): unset is not written, so the file keeps what it
  // had, byte for byte.
  std::optional<Language> language = std::nullopt;
  friend bool operator==(const TraySettings&, const TraySettings&) = default;
};

// A stored level outside 0 to 3 reads as 0.
TraySettings readTraySettings(const IniFile& ini);
// In the order Constraints, Key/Stop, Stop, DispDialog, MoveWindowSpeed, ReturnWindows,
// Language when it is set.
void writeTraySettings(IniFile& ini, const TraySettings& s);

}  // namespace rimfold
