// Shortcut values (virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt) and
// their text form ("Shift+", "Ctrl+", "Alt+" and a key name), as Rimfold.ini keeps the
// stop/resume hotkey.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/input.h"

namespace rimfold {

inline constexpr std::uint16_t kScShift = 0x2000;
inline constexpr std::uint16_t kScCtrl = 0x4000;
inline constexpr std::uint16_t kScAlt = 0x8000;

// The name of a virtual key: our own table, else the system's; empty when it has none.
std::u16string keyName(IInput& input, int virtualKey);
// Empty when the key has no name.
std::u16string ShortCutToText(IInput& input, std::uint16_t shortCut);
// 0 when the text names no key; prefixes in any order and letter case, "^" for Ctrl.
std::uint16_t TextToShortCut(IInput& input, std::u16string_view text);

// RegisterHotKey's modifiers (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4) and key (low 13 bits).
struct HotKeyRegistration {
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;
  friend bool operator==(const HotKeyRegistration&, const HotKeyRegistration&) = default;
};
HotKeyRegistration hotKeyRegistration(std::uint16_t shortCut);

// A key pressed in the hotkey edit: returns the edit's new text and consumes the key.
std::u16string Proc_HotKeyEditKeyDown(IInput& input, int& key, bool shift, bool ctrl, bool alt);

}  // namespace rimfold
