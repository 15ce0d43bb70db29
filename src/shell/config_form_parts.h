// What the frame of the configuration dialog and its page views share.
#pragma once

#include <windows.h>

#include <cstddef>

#include "rtl/ui_text.h"

namespace rimfold::shell {

inline constexpr Language kLanguages[] = {Language::Japanese, Language::English};

// A text as the Win32 calls take it: UTF-16 either way.
inline const wchar_t* wideText(UiText id, Language language) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return reinterpret_cast<const wchar_t*>(uiText(id, language));
}

// One set of a page's tables per language, made on first use where it stays: the controls
// keep pointers into it for their whole life.
template <typename Tables, typename Fill>
const Tables& tablesFor(Language language, Fill fill) {
  static Tables tables[std::size(kLanguages)];
  static bool made[std::size(kLanguages)] = {};
  const auto i = static_cast<std::size_t>(language);
  if (!made[i]) {
    fill(tables[i], language);
    made[i] = true;
  }
  return tables[i];
}

inline constexpr int kToolBarHeight = 24;  // 96-DPI units, as every size of the tables

inline bool keyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace rimfold::shell
