// The per-monitor tables: the allowed area and the system work area of each monitor, as
// counted at the last enumeration.
#pragma once

#include <array>

#include "platform/types.h"

namespace rimfold {

inline constexpr int kMaxMonitors = 10;
using WorkAreaTable = std::array<TWorkAreaEdges, kMaxMonitors>;
// The monitor (bounds and work area) each table entry was read for.
using MonitorTable = std::array<MonitorInfo, kMaxMonitors>;

struct MonitorTables {
  WorkAreaTable MWorkArea{};  // the allowed areas
  WorkAreaTable MDesktop{};   // the system work areas
  MonitorTable tabledFor{};
  // The entry stands in for a section the file did not hold (the system work area as the
  // default) and has not been applied since: it carries nothing of the user's.
  std::array<bool, kMaxMonitors> standIn{};
  // The number of monitors at the last count (start-up, fresh enumerations).
  int GMonitorCount = 0;

  // The tables hold an area for this monitor index: counted at the last enumeration and
  // within the ten entries. Windows on any other monitor are left where they are.
  bool hasAllowedArea(int index) const {
    return index >= 0 && index < kMaxMonitors && index < GMonitorCount;
  }
};

TWorkAreaEdges edgesOf(const TRect& r);
TRect rectOf(const TWorkAreaEdges& e);

}  // namespace rimfold
