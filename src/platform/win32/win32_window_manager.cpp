#include "platform/win32/win32_window_manager.h"

#include <windows.h>

#include <cwchar>
#include <exception>

#include "platform/win32/proc_address.h"
#include "platform/win32/win32_convert.h"

namespace rimfold::win32 {

namespace {

constexpr int kTextBufferUnits = 260;

// IsHungAppWindow only turns true after 5 s (on Wine it even waits that long itself);
// SMTO_ABORTIFHUNG returns at once for such a thread, the bound covers the first 5 s.
bool sendBounded(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT timeoutMs) noexcept {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                               &result) != 0;
}

DWORD monitorFlag(MonitorDefault fallback) noexcept {
  return fallback == MonitorDefault::Null ? MONITOR_DEFAULTTONULL : MONITOR_DEFAULTTONEAREST;
}

// An exception must not unwind through user32's frames: the callbacks park it here, stop
// the enumeration, and it is rethrown once the API call has returned.
struct WindowEnumState {
  FunctionRef<bool(Hwnd)>* callback;
  std::exception_ptr error;
};

BOOL CALLBACK enumWindowsProc(HWND hwnd, LPARAM lParam) {
  auto* state = reinterpret_cast<WindowEnumState*>(lParam);
  try {
    return (*state->callback)(fromHwnd(hwnd)) ? TRUE : FALSE;
  } catch (...) {
    state->error = std::current_exception();
    return FALSE;
  }
}

struct MonitorEnumState {
  std::vector<Hmonitor>* out;
  std::exception_ptr error;
};

BOOL CALLBACK enumMonitorsProc(HMONITOR monitor, HDC, LPRECT, LPARAM lParam) {
  auto* state = reinterpret_cast<MonitorEnumState*>(lParam);
  try {
    state->out->push_back(fromHmonitor(monitor));
    return TRUE;
  } catch (...) {
    state->error = std::current_exception();
    return FALSE;
  }
}

// dwmapi's attributes, without its header: Vista's SDK level has no DWMWA_CLOAKED.
constexpr DWORD kDwmwaExtendedFrameBounds = 9;
constexpr DWORD kDwmwaCloaked = 14;
using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

// Loaded once, when first asked, by its full path in the system directory: never a copy
// found first on the search path. Kept for the rest of the run, like an import.
DwmGetWindowAttributeFn dwmGetWindowAttribute() noexcept {
  static const DwmGetWindowAttributeFn fn = []() noexcept -> DwmGetWindowAttributeFn {
    constexpr wchar_t kFile[] = L"\\dwmapi.dll";
    wchar_t path[MAX_PATH] = {};
    const UINT n = ::GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + std::size(kFile) > MAX_PATH) return nullptr;
    std::wcscat(path, kFile);
    return procAddress<DwmGetWindowAttributeFn>(::LoadLibraryW(path), "DwmGetWindowAttribute");
  }();
  return fn;
}

}  // namespace

void Win32WindowManager::enumWindows(FunctionRef<bool(Hwnd)> callback) {
  WindowEnumState state{&callback, nullptr};
  ::EnumWindows(enumWindowsProc, reinterpret_cast<LPARAM>(&state));
  if (state.error) std::rethrow_exception(state.error);
}

void Win32WindowManager::listTopWindows(std::vector<Hwnd>& out) {
  out.clear();
  const auto add = [&out](Hwnd w) {
    out.push_back(w);
    return true;
  };
  FunctionRef<bool(Hwnd)> callback(add);
  WindowEnumState state{&callback, nullptr};
  ::EnumDesktopWindows(nullptr, enumWindowsProc, reinterpret_cast<LPARAM>(&state));
  if (state.error) std::rethrow_exception(state.error);
}

bool Win32WindowManager::getWindowRect(Hwnd w, TRect& out) noexcept {
  RECT r{};
  if (!::GetWindowRect(toHwnd(w), &r)) return false;
  out = fromRect(r);
  return true;
}

bool Win32WindowManager::getVisibleFrame(Hwnd w, TRect& out) noexcept {
  const DwmGetWindowAttributeFn fn = dwmGetWindowAttribute();
  RECT r{};
  if (fn == nullptr || FAILED(fn(toHwnd(w), kDwmwaExtendedFrameBounds, &r, sizeof(r))))
    return false;
  out = fromRect(r);
  return true;
}

bool Win32WindowManager::isCloaked(Hwnd w) noexcept {
  const DwmGetWindowAttributeFn fn = dwmGetWindowAttribute();
  DWORD cloaked = 0;
  return fn != nullptr && SUCCEEDED(fn(toHwnd(w), kDwmwaCloaked, &cloaked, sizeof(cloaked))) &&
         cloaked != 0;
}

bool Win32WindowManager::isWindowVisible(Hwnd w) noexcept {
  return ::IsWindowVisible(toHwnd(w)) != FALSE;
}

bool Win32WindowManager::isWindowEnabled(Hwnd w) noexcept {
  return ::IsWindowEnabled(toHwnd(w)) != FALSE;
}

bool Win32WindowManager::isIconic(Hwnd w) noexcept { return ::IsIconic(toHwnd(w)) != FALSE; }

bool Win32WindowManager::isZoomed(Hwnd w) noexcept { return ::IsZoomed(toHwnd(w)) != FALSE; }

bool Win32WindowManager::respondsWithin(Hwnd w, std::uint32_t timeoutMs) noexcept {
  return sendBounded(toHwnd(w), WM_NULL, 0, 0, timeoutMs);
}

int Win32WindowManager::getWindowTextLength(Hwnd w) noexcept {
  return ::GetWindowTextLengthW(toHwnd(w));
}

std::u16string Win32WindowManager::getWindowText(Hwnd w) {
  wchar_t buffer[kTextBufferUnits] = {};
  ::GetWindowTextW(toHwnd(w), buffer, kTextBufferUnits);
  return fromWideBuffer(buffer);
}

std::u16string Win32WindowManager::getClassName(Hwnd w) {
  wchar_t buffer[kTextBufferUnits] = {};
  ::GetClassNameW(toHwnd(w), buffer, kTextBufferUnits);
  return fromWideBuffer(buffer);
}

std::uint32_t Win32WindowManager::getStyle(Hwnd w) noexcept {
  return static_cast<std::uint32_t>(::GetWindowLongW(toHwnd(w), GWL_STYLE));
}

std::uint32_t Win32WindowManager::getExStyle(Hwnd w) noexcept {
  return static_cast<std::uint32_t>(::GetWindowLongW(toHwnd(w), GWL_EXSTYLE));
}

Hwnd Win32WindowManager::getParent(Hwnd w) noexcept { return fromHwnd(::GetParent(toHwnd(w))); }

Hwnd Win32WindowManager::windowFromPoint(TPoint p) noexcept {
  return fromHwnd(::WindowFromPoint(toPoint(p)));
}

Hwnd Win32WindowManager::getForegroundWindow() noexcept {
  return fromHwnd(::GetForegroundWindow());
}

bool Win32WindowManager::setForegroundWindow(Hwnd w) noexcept {
  return ::SetForegroundWindow(toHwnd(w)) != FALSE;
}

bool Win32WindowManager::bringWindowToTop(Hwnd w) noexcept {
  // BringWindowToTop is SetWindowPos(HWND_TOP) and would wait for the window's thread.
  return ::SetWindowPos(toHwnd(w), HWND_TOP, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS) != FALSE;
}

Hwnd Win32WindowManager::getDesktopWindow() noexcept { return fromHwnd(::GetDesktopWindow()); }

std::uint32_t Win32WindowManager::getWindowThreadProcessId(Hwnd w,
                                                           std::uint32_t* processId) noexcept {
  DWORD pid = 0;
  DWORD thread = ::GetWindowThreadProcessId(toHwnd(w), &pid);
  if (processId) *processId = pid;
  return thread;
}

bool Win32WindowManager::attachThreadInput(std::uint32_t thread, std::uint32_t toThread,
                                           bool attach) noexcept {
  return ::AttachThreadInput(thread, toThread, attach ? TRUE : FALSE) != FALSE;
}

bool Win32WindowManager::moveWindow(Hwnd w, const WindowBox& box, bool repaint) noexcept {
  // MoveWindow's own flags, plus the request being posted to another thread's window.
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS |
                     (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW));
  return ::SetWindowPos(toHwnd(w), nullptr, box.Left, box.Top, box.Width, box.Height, flags) !=
         FALSE;
}

bool Win32WindowManager::showWindowAsync(Hwnd w, ShowCommand command) noexcept {
  const int show = command == ShowCommand::Maximize ? SW_MAXIMIZE : SW_SHOWNOACTIVATE;
  return ::ShowWindowAsync(toHwnd(w), show) != FALSE;
}

Hwnd Win32WindowManager::findWindowEx(Hwnd parent, Hwnd childAfter, const char16_t* className,
                                      const char16_t* title) noexcept {
  return fromHwnd(
      ::FindWindowExW(toHwnd(parent), toHwnd(childAfter), wide(className), wide(title)));
}

int Win32WindowManager::messageBox(Hwnd owner, const std::u16string& text,
                                   const std::u16string& caption, std::uint32_t style) {
  return ::MessageBoxW(toHwnd(owner), wide(text), wide(caption), style);
}

bool Win32WindowManager::setWindowText(Hwnd w, const std::u16string& text) {
  // SetWindowTextW is WM_SETTEXT sent without a bound. Another process receives a copy of
  // the text; a box of this thread is handled within the call.
  return sendBounded(toHwnd(w), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(text)),
                     kAnswerTimeoutMs);
}

void Win32WindowManager::sendClose(Hwnd w) {
  sendBounded(toHwnd(w), WM_CLOSE, 0, 0, kAnswerTimeoutMs);
}

void Win32WindowManager::sendCommand(Hwnd w, int id) {
  sendBounded(toHwnd(w), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0,
              kAnswerTimeoutMs);
}

void Win32WindowManager::enumDisplayMonitors(std::vector<Hmonitor>& out) {
  out.clear();
  MonitorEnumState state{&out, nullptr};
  ::EnumDisplayMonitors(nullptr, nullptr, enumMonitorsProc, reinterpret_cast<LPARAM>(&state));
  if (state.error) std::rethrow_exception(state.error);
}

bool Win32WindowManager::getMonitorInfo(Hmonitor m, MonitorInfo& out) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(toHmonitor(m), &info)) return false;
  out.bounds = fromRect(info.rcMonitor);
  out.work = fromRect(info.rcWork);
  out.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  return true;
}

Hmonitor Win32WindowManager::monitorFromWindow(Hwnd w, MonitorDefault fallback) noexcept {
  return fromHmonitor(::MonitorFromWindow(toHwnd(w), monitorFlag(fallback)));
}

Hmonitor Win32WindowManager::monitorFromPoint(TPoint p, MonitorDefault fallback) noexcept {
  return fromHmonitor(::MonitorFromPoint(toPoint(p), monitorFlag(fallback)));
}

}  // namespace rimfold::win32
