// The DPI a window is laid out at.
#pragma once

#include <windows.h>

namespace rimfold::ui {

// The window's own DPI where the system reports it (Windows 10 1607 and later, looked up
// at run time), else the system DPI.
int windowDpi(HWND hwnd) noexcept;

// The size of the small icons the shell shows in the notification area now: that of the
// primary monitor's DPI (Windows 8.1 and later, looked up at run time), else the system's.
int shellSmallIconSize() noexcept;

}  // namespace rimfold::ui
