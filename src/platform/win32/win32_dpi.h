// Metrics at a monitor's DPI through the late APIs of Windows 8.1 (GetDpiForMonitor) and
// Windows 10 1607 (GetSystemMetricsForDpi), loaded at run time.
#pragma once

#include <windows.h>

namespace rimfold::win32 {

// The metric as the system draws it on that monitor; GetSystemMetrics where either API is
// missing or fails (then the system's own DPI applies).
int systemMetricForMonitor(int index, HMONITOR monitor) noexcept;

}  // namespace rimfold::win32
