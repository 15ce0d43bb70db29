#include "ui/dpi.h"

#include "ui/model/dialog_layout.h"
#include "platform/win32/proc_address.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_dpi.h"

namespace rimfold::ui {

int windowDpi(HWND hwnd) noexcept {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      win32::procAddress<GetDpiForWindowFn>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  if (getDpiForWindow != nullptr && hwnd != nullptr) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  const win32::WindowDc screen(nullptr);
  const int dpi = screen.get() != nullptr ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

int shellSmallIconSize() noexcept {
  return win32::systemMetricForMonitor(SM_CXSMICON,
                                       ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

}  // namespace rimfold::ui
