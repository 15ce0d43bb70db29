#include "app/dpi.h"

#include "app/model/dialog_layout.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::app {

int windowDpi(HWND hwnd) noexcept {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && hwnd != nullptr) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  const win32::WindowDc screen(nullptr);
  const int dpi = screen.get() != nullptr ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

int shellSmallIconSize() noexcept {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const win32::UniqueModule shcore(::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  static const auto getDpiForMonitor = reinterpret_cast<GetDpiForMonitorFn>(
      shcore ? reinterpret_cast<void*>(::GetProcAddress(shcore.get(), "GetDpiForMonitor")) : nullptr);
  static const auto getSystemMetricsForDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  UINT dpiX = 0, dpiY = 0;
  if (getDpiForMonitor != nullptr && getSystemMetricsForDpi != nullptr &&
      SUCCEEDED(getDpiForMonitor(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                                 kEffectiveDpi, &dpiX, &dpiY))) {
    const int size = getSystemMetricsForDpi(SM_CXSMICON, dpiX);
    if (size > 0) return size;
  }
  return ::GetSystemMetrics(SM_CXSMICON);
}

}  // namespace rimfold::app
