// Window operations the engine and the forms share: rectangles, the foreground, finding
// dialog boxes and ancestors, and bringing back a window lost off every monitor.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace rimfold {

// Fails when GetWindowRect fails or the window is parked at (-32000, -32000).
bool Func_WindowRect(Platform& p, Hwnd w, TRect& out);
// Outputs untouched on failure.
bool Func_WindowBounds(Platform& p, Hwnd w, WindowBox& out);
WindowBox boxOf(const TRect& r);

// What the user sees of a window whose rectangle is rect: the window manager's visible frame
// (Windows 10 and 11 draw no part of a sizable window's resize borders), or rect itself
// where it gives none or one that does not lie within rect.
TRect visibleFrameOf(Platform& p, Hwnd w, const TRect& rect);
// A window's rectangle and its visible frame, read together. Fails as Func_WindowRect does.
struct WindowFrame {
  TRect rect;
  TRect visible;
};
bool readWindowFrame(Platform& p, Hwnd w, WindowFrame& out);
// The box MoveWindow takes for the window to show the visible box: its borders as they are
// now (frame minus rectangle, per side) added back.
WindowBox moveBoxFor(const WindowFrame& now, const WindowBox& visible);
// Moves a window that may arrive on a monitor of another DPI: it rescales itself there
// (WM_DPICHANGED), so once it has taken the move, a rectangle other than the one asked for
// gets the same move again, now made within that monitor.
void moveAcrossMonitors(Platform& p, Hwnd w, const WindowBox& box);

// No monitor holds any corner or the centre of the box.
bool Func_OffAllMonitors(Platform& p, const WindowBox& box);
bool Func_ForceForeground(Platform& p, Hwnd w);
// A top-level dialog box (class "#32770", message boxes among them) with this caption; 0 if none.
Hwnd findDialogBox(Platform& p, const std::u16string& caption);
// The top-level windows, counted; seen receives them, in no promised order.
int Func_CountTopWindows(Platform& p, std::vector<Hwnd>& seen);
Hwnd Func_WindowUnderCursor(Platform& p);
Hwnd Func_RootAncestor(Platform& p, Hwnd w);
Hwnd Func_CaptionAncestor(Platform& p, Hwnd w);
void Proc_CenterLostWindow(Platform& p, Hwnd w);

}  // namespace rimfold
