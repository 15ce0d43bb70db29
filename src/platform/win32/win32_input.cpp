#include "platform/win32/win32_input.h"

#include <windows.h>

#include <cstddef>

#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_dpi.h"

namespace rimfold::win32 {

std::int16_t Win32Input::getAsyncKeyState(int virtualKey) noexcept {
  return static_cast<std::int16_t>(::GetAsyncKeyState(virtualKey));
}

bool Win32Input::getCursorPos(TPoint& out) noexcept {
  POINT p{};
  if (!::GetCursorPos(&p)) return false;
  out = fromPoint(p);
  return true;
}

int Win32Input::getSystemMetrics(int index) noexcept { return ::GetSystemMetrics(index); }

int Win32Input::getSystemMetricsForWindow(int index, Hwnd w) noexcept {
  return systemMetricForMonitor(index, ::MonitorFromWindow(toHwnd(w), MONITOR_DEFAULTTONEAREST));
}

bool Win32Input::getWorkArea(TRect& out) noexcept {
  RECT r{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return false;
  out = fromRect(r);
  return true;
}

bool Win32Input::getForegroundLockTimeout(std::uint32_t& out) noexcept {
  DWORD value = 0;
  if (!::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0)) return false;
  out = value;
  return true;
}

bool Win32Input::setForegroundLockTimeout(std::uint32_t value) noexcept {
  // The time-out travels in the pointer argument itself.
  return ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                 reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(value)),
                                 SPIF_SENDCHANGE) != FALSE;
}

bool Win32Input::getDragFullWindows(bool& out) noexcept {
  std::uint32_t value = 0;
  if (!::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &value, 0)) return false;
  out = value != 0;
  return true;
}

bool Win32Input::setDragFullWindows(bool on) noexcept {
  return ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, on ? 1 : 0, nullptr,
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

bool Win32Input::getScreenSaverRunning(bool& out) noexcept {
  BOOL value = FALSE;
  if (!::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &value, 0)) return false;
  out = value != FALSE;
  return true;
}

bool Win32Input::getNonClientBorderWidth(std::uint32_t structSize, int& out) noexcept {
  // The caller picks the structure size (older systems reject the padded-border field);
  // it must still cover the border width and fit the buffer.
  NONCLIENTMETRICSW metrics{};
  constexpr std::size_t kNeeded = offsetof(NONCLIENTMETRICSW, iBorderWidth) + sizeof(int);
  if (structSize < kNeeded || structSize > sizeof(metrics)) return false;
  metrics.cbSize = structSize;
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, structSize, &metrics, 0)) return false;
  out = metrics.iBorderWidth;
  return true;
}

bool Win32Input::getBorder(int& out) noexcept {
  int value = 0;
  if (!::SystemParametersInfoW(SPI_GETBORDER, 0, &value, 0)) return false;
  out = value;
  return true;
}

void Win32Input::keybdEvent(std::uint8_t virtualKey, bool keyUp) noexcept {
  ::keybd_event(virtualKey, 0, keyUp ? KEYEVENTF_KEYUP : 0, 0);
}

std::u16string Win32Input::keyNameText(int virtualKey) {
  const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  wchar_t name[64] = {};
  const int n = ::GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  return n > 0 ? fromWide(name, static_cast<std::size_t>(n)) : std::u16string();
}

}  // namespace rimfold::win32
