// Value types the portable core uses for windows, monitors and geometry.
#pragma once

#include <cstdint>
#include <string>

namespace rimfold {

// A top-level window handle; 0 means none. Win32 handles are 32-bit significant.
using Hwnd = std::uint32_t;
// An opaque monitor handle; 0 means none.
using Hmonitor = std::uint64_t;
// An opaque kernel handle (process); 0 means none.
using KernelHandle = std::uint64_t;

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive, as GetWindowRect reports them.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Left, Top, Width, Height: the form MoveWindow takes.
struct WindowBox {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const WindowBox&, const WindowBox&) = default;
};

// The element of the per-monitor allowed-area tables, in this field order.
struct TWorkAreaEdges {
  std::int32_t Top = 0;
  std::int32_t Bottom = 0;
  std::int32_t Left = 0;
  std::int32_t Right = 0;
  friend bool operator==(const TWorkAreaEdges&, const TWorkAreaEdges&) = default;
};

struct MonitorInfo {
  TRect bounds;
  TRect work;
  bool primary = false;
};

enum class MonitorDefault { Null, Nearest };

// ShowWindow's commands the program gives other programs' windows.
enum class ShowCommand { RestoreNoActivate, Maximize };

// The local time of day as the regional formatting functions take it.
struct LocalTime {
  int year = 0, month = 0, day = 0, dayOfWeek = 0;
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 2;  // VER_PLATFORM_WIN32_NT
};

// Window style bits the core tests.
inline constexpr std::uint32_t kWsPopup = 0x80000000u;
inline constexpr std::uint32_t kWsChild = 0x40000000u;
inline constexpr std::uint32_t kWsVisible = 0x10000000u;
inline constexpr std::uint32_t kWsDisabled = 0x08000000u;
inline constexpr std::uint32_t kWsMaximize = 0x01000000u;
inline constexpr std::uint32_t kWsCaption = 0x00C00000u;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000u;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000u;
inline constexpr std::uint32_t kWsOverlappedWindow = 0x00CF0000u;
inline constexpr std::uint32_t kWsExTopmost = 0x00000008u;
inline constexpr std::uint32_t kWsExToolWindow = 0x00000080u;

// System metrics indexes (GetSystemMetrics).
inline constexpr int kSmCxScreen = 0;
inline constexpr int kSmCyScreen = 1;
inline constexpr int kSmCxSize = 30;
inline constexpr int kSmCySize = 31;
inline constexpr int kSmCxFrame = 32;
inline constexpr int kSmCyFrame = 33;
inline constexpr int kSmXVirtualScreen = 76;
inline constexpr int kSmYVirtualScreen = 77;
inline constexpr int kSmCxVirtualScreen = 78;
inline constexpr int kSmCyVirtualScreen = 79;
inline constexpr int kSmCMonitors = 80;

// Virtual keys the core asks about.
inline constexpr int kVkLButton = 0x01;
inline constexpr int kVkRButton = 0x02;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;

// Message boxes: the flags the program shows them with, and the button results.
inline constexpr std::uint32_t kMbOk = 0x0000u;
inline constexpr std::uint32_t kMbYesNo = 0x0004u;
inline constexpr std::uint32_t kMbTypeMask = 0x000Fu;
inline constexpr std::uint32_t kMbIconExclamation = 0x0030u;
inline constexpr std::uint32_t kMbIconInformation = 0x0040u;
inline constexpr std::uint32_t kMbSystemModal = 0x1000u;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
// The window class of every dialog box, message boxes included.
inline constexpr char16_t kDialogBoxClass[] = u"#32770";

// The parked position of minimized windows.
inline constexpr std::int32_t kParkedCoordinate = -32000;

}  // namespace rimfold
