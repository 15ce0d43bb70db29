// The rigs' start: the fake's monitors set, the list read, and every monitor's allowed area
// its work area, as after start-up.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/monitor_list.h"
#include "fake/fake_desktop.h"
#include "settings/monitor_tables.h"

namespace rimfold::test {

inline void tablesFromMonitors(FakeDesktop& d, MonitorList& monitors, MonitorTables& tables,
                               const std::vector<FakeMonitor>& list) {
  d.setMonitors(list);
  monitors.refresh();
  tables.GMonitorCount = monitors.count();
  for (int i = 0; i < monitors.count() && i < kMaxMonitors; ++i) {
    MonitorInfo info;
    if (monitors.info(i, info)) tables.MWorkArea[static_cast<std::size_t>(i)] = edgesOf(info.work);
  }
}

}  // namespace rimfold::test
