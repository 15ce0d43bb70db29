// What the files of the configuration dialog share: the edge controls and key state.
#pragma once

#include <windows.h>

#include "shell/config_form_ids.h"

namespace rimfold::app {

inline constexpr int kEdgeEdits[] = {EditTop, EditBottom, EditLeft, EditRight};
inline constexpr int kEdgeGroupBoxes[] = {GroupBoxTop, GroupBoxBottom, GroupBoxLeft, GroupBoxRight};
inline constexpr int kWholeIntegerDigits = 10;  // any 32-bit value
inline constexpr UINT_PTR kEditKeyStopSubclass = 1;

inline bool keyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace rimfold::app
