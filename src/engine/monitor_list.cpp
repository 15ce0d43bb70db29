#include "engine/monitor_list.h"

#include <iterator>

namespace rimfold {

MonitorList::MonitorList(IWindowManager& windows) : windows_(windows) { refresh(); }

void MonitorList::refresh() { windows_.enumDisplayMonitors(handles_); }

bool MonitorList::info(int index, MonitorInfo& out) const {
  if (index < 0 || index >= count()) return false;
  return windows_.getMonitorInfo(handles_[static_cast<size_t>(index)], out);
}

int MonitorList::indexOf(Hmonitor m) const {
  for (int i = 0; i < count(); ++i) {
    if (handles_[static_cast<size_t>(i)] == m) return i;
  }
  return -1;
}

int MonitorList::locate(Hmonitor m) {
  const int index = indexOf(m);
  if (index >= 0 || m == 0) return index;
  refresh();
  return indexOf(m);
}

namespace {

constexpr int kScreenMetrics[] = {kSmCMonitors, kSmYVirtualScreen, kSmXVirtualScreen,
                                  kSmCxVirtualScreen, kSmCyVirtualScreen};
static_assert(std::size(kScreenMetrics) == std::tuple_size_v<ScreenSnapshot>);

}  // namespace

bool Func_ScreenChanged(IInput& input, ScreenSnapshot& MScreenB) {
  bool changed = false;
  for (std::size_t i = 0; i < MScreenB.size() && !changed; ++i) {
    changed = input.getSystemMetrics(kScreenMetrics[i]) != MScreenB[i];
  }
  if (!changed) return false;
  for (std::size_t i = 0; i < MScreenB.size(); ++i) {
    MScreenB[i] = input.getSystemMetrics(kScreenMetrics[i]);
  }
  return true;
}

int Func_MonitorIndexOf(Platform& p, MonitorList& monitors, Hwnd w) {
  return monitors.locate(p.windows.monitorFromWindow(w, MonitorDefault::Nearest));
}

int Func_PrimaryMonitorIndex(const MonitorList& monitors) {
  int primary = 0;
  for (int i = 0; i < monitors.count(); ++i) {
    MonitorInfo info;
    if (monitors.info(i, info) && info.primary) primary = i;
  }
  return primary;
}

}  // namespace rimfold
