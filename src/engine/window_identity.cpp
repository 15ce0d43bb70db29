#include "engine/window_identity.h"

#include <algorithm>
#include <limits>

#include "engine/window_facts.h"
#include "rtl/text_utils.h"
#include "system/data_dir.h"

namespace rimfold {

namespace {

constexpr std::u16string_view kCoreWindowClass = u"Windows.UI.Core.CoreWindow";
constexpr std::uint32_t kVisibleCaption = kWsVisible | kWsCaption;  // 0x10C00000

std::int32_t clampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool onSomeMonitor(Platform& p, std::int64_t x, std::int64_t y) {
  return p.windows.monitorFromPoint({clampToInt32(x), clampToInt32(y)}, MonitorDefault::Null) != 0;
}

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

std::u16string Func_ProcessImagePath(Platform& p, std::uint32_t processId) {
  // A failed open is not tested: the queries below then fail on the null handle.
  const KernelHandle process = p.system.openProcess(kProcessQueryInformationVmRead, processId);
  std::u16string path;
  if (!p.system.getModuleFileNameEx(process, path)) {
    path.clear();
    std::u16string devicePath;
    if (p.system.getProcessImageFileName(process, devicePath)) {
      path = translateDevicePath(p, devicePath);
    }
  }
  p.system.closeHandle(process);
  return path;
}

std::u16string trimWindowText(std::u16string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] <= u' ') --end;
  return std::u16string(text.substr(0, end));
}

std::u16string exeNameOf(std::u16string_view imagePath) {
  const std::size_t cut = imagePath.find_last_of(u"\\:");
  return upperAscii(cut == std::u16string_view::npos ? imagePath : imagePath.substr(cut + 1));
}

std::u16string programKey(const WindowIdentity& id) { return exeNameOf(id.ImagePath) + u","; }

std::u16string classKey(const WindowIdentity& id) {
  return exeNameOf(id.ImagePath) + u"," + id.ClassName + u",";
}

std::u16string windowKey(const WindowIdentity& id) {
  return exeNameOf(id.ImagePath) + u"," + id.ClassName + u"," + id.Title;
}

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

std::u16string identityImagePath(Platform& p, std::uint32_t processId) {
  const std::u16string path = Func_ProcessImagePath(p, processId);
  return FileExistsOnReadyDrive(p, path) ? longPathOf(p, path) : path;
}

std::u16string translateDevicePath(Platform& p, const std::u16string& devicePath) {
  const std::uint32_t drives = p.system.getLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((drives & (1u << i)) == 0) continue;
    const std::u16string drive{static_cast<char16_t>(u'A' + i), u':'};
    const std::u16string target = p.system.queryDosDevice(drive);
    if (target.empty()) continue;
    // The target must end at a path separator: Volume1 is no prefix of Volume10.
    if (devicePath.size() > target.size() && devicePath.compare(0, target.size(), target) == 0 &&
        devicePath[target.size()] == u'\\') {
      return drive + devicePath.substr(target.size());
    }
  }
  return devicePath;
}

std::u16string longPathOf(Platform& p, const std::u16string& path) {
  const std::u16string full = p.system.getFullPathName(path);
  if (full.empty()) return path;
  // The root ("C:\" or "\\server\share\") is kept as it is.
  std::size_t rootEnd = 0;
  if (full.size() >= 2 && full[0] == u'\\' && full[1] == u'\\') {
    int slashes = 0;
    rootEnd = full.size();
    for (std::size_t i = 2; i < full.size(); ++i) {
      if (full[i] == u'\\' && ++slashes == 2) {
        rootEnd = i + 1;
        break;
      }
    }
  } else if (full.size() >= 2 && full[1] == u':') {
    rootEnd = (full.size() >= 3 && full[2] == u'\\') ? 3 : 2;
  }
  std::vector<std::u16string> parts;
  for (std::size_t i = rootEnd; i <= full.size();) {
    std::size_t j = full.find(u'\\', i);
    if (j == std::u16string::npos) j = full.size();
    parts.push_back(full.substr(i, j - i));
    i = j + 1;
  }
  const std::u16string root = full.substr(0, rootEnd);
  auto prefixUpTo = [&](std::size_t last) {
    std::u16string s = root;
    for (std::size_t k = 0; k <= last; ++k) {
      if (k > 0) s += u'\\';
      s += parts[k];
    }
    return s;
  };
  for (std::size_t k = parts.size(); k-- > 0;) {
    if (parts[k].empty()) continue;
    if (auto name = p.system.findFileName(prefixUpTo(k))) parts[k] = *name;
  }
  return parts.empty() ? root : prefixUpTo(parts.size() - 1);
}

bool Func_IsTargetWindow(WindowFacts& f, bool offScreenTest) {
  // Visibility first: most top-level windows are hidden, and that answer alone settles them.
  if (f.handle() == 0 || !f.visible() || f.textLength() <= 0 || f.text() == u"Program Manager" ||
      f.iconic()) {
    return false;
  }
  if (!offScreenTest || f.zoomed()) return true;
  TRect r;
  return f.rect(r) && !Func_OffAllMonitors(f.platform(), boxOf(r));
}

bool Func_IsModernAppWindow(Platform& p, Hwnd w, std::u16string_view className) {
  if (className == kCoreWindowClass) return true;
  if (className != u"ApplicationFrameWindow") return false;
  const std::u16string core(kCoreWindowClass);
  return p.windows.findWindowEx(w, 0, core.c_str(), nullptr) == 0;
}

bool Func_IsBareStyle(WindowFacts& f) { return (f.style() & 0x00FFFFFFu) == 0; }

bool Func_IsTopmost(Platform& p, Hwnd w) { return (p.windows.getExStyle(w) & kWsExTopmost) != 0; }

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

Hwnd Func_FindDialogBox(Platform& p, const std::u16string& caption) {
  return p.windows.findWindowEx(0, 0, kDialogBoxClass, caption.c_str());
}

int Func_CountTopWindows(Platform& p) {
  int n = 0;
  p.windows.enumWindows([&n](Hwnd) {
    ++n;
    return true;
  });
  return n;
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
  WindowBox box;
  if (!Func_WindowBounds(p, w, box) || !Func_OffAllMonitors(p, box)) return;
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
  p.windows.moveWindow(w, {(right - box.Width) / 2, (bottom - box.Height) / 2, box.Width, box.Height},
                       true);
}

}  // namespace rimfold
