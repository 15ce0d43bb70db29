// The monitors in enumeration order. A long-lived list keeps its handles and reads each
// monitor's bounds and work area live; a fresh enumeration is a new list used and dropped.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace rimfold {

class MonitorList {
 public:
  explicit MonitorList(IWindowManager& windows);
  void refresh();
  int count() const { return static_cast<int>(handles_.size()); }
  Hmonitor handle(int index) const { return handles_[static_cast<size_t>(index)]; }
  // Live bounds, work area and primary flag; false when the monitor is gone.
  bool info(int index, MonitorInfo& out) const;
  // Position of the monitor in the list, or -1.
  int indexOf(Hmonitor m) const;
  // As indexOf, but a monitor the list does not know (attached since the list was read)
  // makes it enumerate the system once more before giving up.
  int locate(Hmonitor m);

 private:
  IWindowManager& windows_;
  std::vector<Hmonitor> handles_;
};

// SM_CMONITORS, SM_YVIRTUALSCREEN, SM_XVIRTUALSCREEN, SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN.
using ScreenSnapshot = std::array<std::int32_t, 5>;

// Reads the five metrics; when one differs from the snapshot, stores all five anew and
// answers true.
bool Func_ScreenChanged(IInput& input, ScreenSnapshot& MScreenB);

// MonitorFromWindow(nearest) located in the list (refreshed once when unknown); -1 when
// it is still not there, so that no other monitor's area is applied to the window.
int Func_MonitorIndexOf(Platform& p, MonitorList& monitors, Hwnd w);
// The last monitor flagged primary; 0 when none is.
int Func_PrimaryMonitorIndex(const MonitorList& monitors);

}  // namespace rimfold
