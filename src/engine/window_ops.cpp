#include "engine/window_ops.h"

#include <algorithm>
#include <limits>

namespace rimfold {

namespace {

std::int32_t clampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool onSomeMonitor(Platform& p, std::int64_t x, std::int64_t y) {
  return p.windows.monitorFromPoint({clampToInt32(x), clampToInt32(y)}, MonitorDefault::Null) != 0;
}

constexpr std::uint32_t kVisibleCaption = kWsVisible | kWsCaption;  // 0x10C00000

void bringToFront(Platform& p, Hwnd w) {
  p.windows.bringWindowToTop(w);
  p.windows.setForegroundWindow(w);
}

// NT from 5.0 on, and the 9x line from 4.10 (Windows 98) on, lock the foreground.
bool hasForegroundLock(const OsVersion& v) {
  if (v.platformId == 2) return v.major > 4;
  return v.major > 4 || (v.major == 4 && v.minor >= 10);
}

}  // namespace

bool Func_WindowRect(Platform& p, Hwnd w, TRect& out) {
  TRect r;
  if (!p.windows.getWindowRect(w, r)) return false;
  if (r.Left == kParkedCoordinate && r.Top == kParkedCoordinate) return false;
  out = r;
  return true;
}

WindowBox boxOf(const TRect& r) { return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

bool Func_WindowBounds(Platform& p, Hwnd w, WindowBox& out) {
  TRect r;
  if (!Func_WindowRect(p, w, r)) return false;
  out = boxOf(r);
  return true;
}

TRect visibleFrameOf(Platform& p, Hwnd w, const TRect& rect) {
  TRect v;
  if (!p.windows.getVisibleFrame(w, v)) return rect;
  const bool within = v.Left >= rect.Left && v.Top >= rect.Top && v.Right <= rect.Right &&
                      v.Bottom <= rect.Bottom && v.Left < v.Right && v.Top < v.Bottom;
  return within ? v : rect;
}

bool readWindowFrame(Platform& p, Hwnd w, WindowFrame& out) {
  TRect r;
  if (!Func_WindowRect(p, w, r)) return false;
  out = {r, visibleFrameOf(p, w, r)};
  return true;
}

WindowBox moveBoxFor(const WindowFrame& now, const WindowBox& visible) {
  const std::int32_t left = now.visible.Left - now.rect.Left;
  const std::int32_t top = now.visible.Top - now.rect.Top;
  const std::int32_t right = now.rect.Right - now.visible.Right;
  const std::int32_t bottom = now.rect.Bottom - now.visible.Bottom;
  return {visible.Left - left, visible.Top - top, visible.Width + left + right,
          visible.Height + top + bottom};
}

void moveAcrossMonitors(Platform& p, Hwnd w, const WindowBox& box) {
  p.windows.moveWindow(w, box, true);
  // Answering means the move is applied, and with it the window's own rescaling.
  if (!p.windows.respondsWithin(w, kAnswerTimeoutMs)) return;
  WindowBox now;
  if (Func_WindowBounds(p, w, now) && now != box) p.windows.moveWindow(w, box, true);
}

bool Func_OffAllMonitors(Platform& p, const WindowBox& box) {
  const std::int64_t l = box.Left, t = box.Top, r = l + box.Width, b = t + box.Height;
  // Integer division truncates toward zero, as the centre point requires.
  const std::int64_t cx = l + box.Width / 2, cy = t + box.Height / 2;
  return !onSomeMonitor(p, l, t) && !onSomeMonitor(p, r, b) && !onSomeMonitor(p, r, t) &&
         !onSomeMonitor(p, l, b) && !onSomeMonitor(p, cx, cy);
}

bool Func_ForceForeground(Platform& p, Hwnd w) {
  const Hwnd foreground = p.windows.getForegroundWindow();
  if (foreground == w) return true;
  if (hasForegroundLock(p.system.getVersion())) {
    const std::uint32_t foregroundThread = p.windows.getWindowThreadProcessId(foreground, nullptr);
    const std::uint32_t thread = p.windows.getWindowThreadProcessId(w, nullptr);
    const bool attached = p.windows.attachThreadInput(thread, foregroundThread, true);
    if (attached) {
      bringToFront(p, w);
      p.windows.attachThreadInput(thread, foregroundThread, false);
    }
    if (!attached || p.windows.getForegroundWindow() != w) {
      // With a zero lock time-out the system lets any process take the foreground.
      std::uint32_t timeout = 0;
      p.input.getForegroundLockTimeout(timeout);
      p.input.setForegroundLockTimeout(0);
      bringToFront(p, w);
      p.input.setForegroundLockTimeout(timeout);
    }
  } else {
    bringToFront(p, w);
  }
  return p.windows.getForegroundWindow() == w;
}

Hwnd findDialogBox(Platform& p, const std::u16string& caption) {
  return p.windows.findWindowEx(0, 0, kDialogBoxClass, caption.c_str());
}

int Func_CountTopWindows(Platform& p, std::vector<Hwnd>& seen) {
  p.windows.listTopWindows(seen);
  return static_cast<int>(seen.size());
}

Hwnd Func_WindowUnderCursor(Platform& p) {
  TPoint pt;
  if (!p.input.getCursorPos(pt)) return 0;
  return p.windows.windowFromPoint(pt);
}

Hwnd Func_RootAncestor(Platform& p, Hwnd w) {
  for (Hwnd parent = p.windows.getParent(w); parent != 0; parent = p.windows.getParent(w)) {
    w = parent;
  }
  return w;
}

Hwnd Func_CaptionAncestor(Platform& p, Hwnd w) {
  for (;;) {
    const Hwnd parent = p.windows.getParent(w);
    if (parent == 0 || (p.windows.getStyle(w) & kVisibleCaption) == kVisibleCaption) return w;
    w = parent;
  }
}

void Proc_CenterLostWindow(Platform& p, Hwnd w) {
  // Also waits for a move just requested to be applied before the bounds are read.
  if (!p.windows.respondsWithin(w, kAnswerTimeoutMs)) return;
  if (p.windows.isZoomed(w)) return;
  WindowFrame now;
  if (!readWindowFrame(p, w, now)) return;
  const WindowBox box = boxOf(now.visible);
  if (!Func_OffAllMonitors(p, box)) return;
  TRect work;
  p.input.getWorkArea(work);
  std::int32_t right = work.Right, bottom = work.Bottom;
  // The work area leaves out the taskbar; centring over the whole screen adds it back.
  TaskbarEdge edge;
  TRect bar;
  if (p.shell.getTaskbarPos(edge, bar)) {
    if (edge == TaskbarEdge::Bottom) bottom += bar.Bottom - bar.Top;
    if (edge == TaskbarEdge::Right) right += bar.Right - bar.Left;
  }
  // The primary monitor may have another DPI than the one the window was lost from.
  moveAcrossMonitors(
      p, w,
      moveBoxFor(now, {(right - box.Width) / 2, (bottom - box.Height) / 2, box.Width, box.Height}));
}

}  // namespace rimfold
