#include "platform/win32/win32_dpi.h"

#include "platform/win32/proc_address.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::win32 {

namespace {

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

}  // namespace

int systemMetricForMonitor(int index, HMONITOR monitor) noexcept {
  static const UniqueModule shcore(
      ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  static const auto getDpiForMonitor =
      procAddress<GetDpiForMonitorFn>(shcore.get(), "GetDpiForMonitor");
  static const auto getSystemMetricsForDpi = procAddress<GetSystemMetricsForDpiFn>(
      ::GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  UINT dpiX = 0, dpiY = 0;
  if (monitor != nullptr && getDpiForMonitor != nullptr && getSystemMetricsForDpi != nullptr &&
      SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiX != 0) {
    const int value = getSystemMetricsForDpi(index, dpiX);
    if (value > 0) return value;
  }
  return ::GetSystemMetrics(index);
}

}  // namespace rimfold::win32
