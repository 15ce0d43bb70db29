// What the frame of the configuration dialog and its page views share.
#pragma once

#include <windows.h>

namespace rimfold::shell {

inline constexpr int kToolBarHeight = 24;  // 96-DPI units, as every size of the tables

inline bool keyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace rimfold::shell
