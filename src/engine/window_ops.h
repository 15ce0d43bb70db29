// Window operations the engine and the forms share: rectangles, the foreground, finding
// dialog boxes and ancestors, and bringing back a window lost off every monitor.
#pragma once

#include <string>

#include "platform/platform.h"

namespace rimfold {

// Fails when GetWindowRect fails or the window is parked at (-32000, -32000).
bool Func_WindowRect(Platform& p, Hwnd w, TRect& out);
// Outputs untouched on failure.
bool Func_WindowBounds(Platform& p, Hwnd w, WindowBox& out);
WindowBox boxOf(const TRect& r);

// No monitor holds any corner or the centre of the box.
bool Func_OffAllMonitors(Platform& p, const WindowBox& box);
bool Func_ForceForeground(Platform& p, Hwnd w);
// A top-level dialog box (class "#32770", message boxes among them) with this caption; 0 if none.
Hwnd Func_FindDialogBox(Platform& p, const std::u16string& caption);
int Func_CountTopWindows(Platform& p);
Hwnd Func_WindowUnderCursor(Platform& p);
Hwnd Func_RootAncestor(Platform& p, Hwnd w);
Hwnd Func_CaptionAncestor(Platform& p, Hwnd w);
void Proc_CenterLostWindow(Platform& p, Hwnd w);

}  // namespace rimfold
