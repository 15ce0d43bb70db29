#include "engine/monitor_list.h"

#include <gtest/gtest.h>

#include "fake/fake_desktop.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeMonitor;
using test::Op;

TEST(MonitorList, PrimaryIndexIsTheLastFlaggedOne) {
  struct Case {
    const char* name;
    std::vector<bool> primaries;
    int expected;
  } cases[] = {{"first", {true, false, false}, 0},
               {"not at index 0", {false, false, true}, 2},
               {"two flagged: the last wins", {false, true, true}, 2},
               {"none", {false, false}, 0}};
  for (const auto& c : cases) {
    FakeDesktop d;
    std::vector<FakeMonitor> ms;
    for (std::size_t i = 0; i < c.primaries.size(); ++i) {
      const int x = static_cast<int>(i) * 1000;
      ms.push_back({.bounds = {x, 0, x + 1000, 800}, .primary = c.primaries[i]});
    }
    d.setMonitors(ms);
    const MonitorList list(d);
    EXPECT_EQ(list.count(), static_cast<int>(c.primaries.size())) << c.name;
    EXPECT_EQ(Func_PrimaryMonitorIndex(list), c.expected) << c.name;
  }
}

// [-1280,-200 .. 0,824)  [0,0 .. 1920,1080) primary  [1920,0 .. 3200,1024)
TEST(MonitorList, MonitorIndexOfFollowsNearestMonitor) {
  FakeDesktop d;
  Platform p = d.platform();
  d.setMonitors({{.bounds = {-1280, -200, 0, 824}},
                 {.bounds = {0, 0, 1920, 1080}, .primary = true},
                 {.bounds = {1920, 0, 3200, 1024}}});
  MonitorList list(d);
  struct Case {
    TRect r;
    int expected;
  } cases[] = {{{100, 100, 500, 400}, 1},    {{-700, -150, -100, 0}, 0},
               {{1800, 100, 2400, 400}, 2},  {{-100, 100, 1000, 400}, 1},
               {{5000, 100, 5100, 200}, 2},  {{-9000, -900, -8000, -800}, 0},
               {{1000, 5000, 1100, 5100}, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(Func_MonitorIndexOf(p, list, d.addWindow({.rect = c.r})), c.expected)
        << c.r.Left << "," << c.r.Top;
  }
  // A monitor attached after the list was read makes the list read the monitors again.
  const Hwnd far = d.addWindow({.rect = {4000, 0, 4100, 100}});
  d.addMonitor({.bounds = {3200, 0, 4480, 1024}});
  EXPECT_EQ(Func_MonitorIndexOf(p, list, far), 3);
  EXPECT_EQ(list.count(), 4);
}

TEST(MonitorList, LocateRefreshesOnceForAnUnknownMonitor) {
  FakeDesktop d;
  d.setMonitors({{.bounds = {0, 0, 1920, 1080}, .primary = true}});
  MonitorList list(d);
  const Hmonitor known = list.handle(0);
  d.resetCalls();
  EXPECT_EQ(list.locate(known), 0);
  EXPECT_EQ(list.locate(0), -1);  // no monitor at all: nothing to look for
  EXPECT_EQ(d.calls(Op::EnumDisplayMonitors), 0u);
  EXPECT_EQ(list.locate(0x999), -1);  // still unknown after one fresh enumeration
  EXPECT_EQ(d.calls(Op::EnumDisplayMonitors), 1u);
}

TEST(MonitorList, InfoIsReadLiveAndFailsForGoneMonitors) {
  FakeDesktop d;
  d.setMonitors(
      {{.bounds = {0, 0, 1920, 1080}, .primary = true}, {.bounds = {1920, 0, 3200, 1024}}});
  MonitorList list(d);
  const Hmonitor second = list.handle(1);
  EXPECT_EQ(list.indexOf(second), 1);
  EXPECT_EQ(list.indexOf(0x999), -1);
  d.setWorkArea(second, {1920, 0, 3200, 984});
  MonitorInfo info;
  ASSERT_TRUE(list.info(1, info));
  EXPECT_EQ(info.work, (TRect{1920, 0, 3200, 984}));
  d.removeMonitor(second);
  EXPECT_FALSE(list.info(1, info));
  EXPECT_FALSE(list.info(5, info));
  list.refresh();
  EXPECT_EQ(list.count(), 1);
}

}  // namespace
}  // namespace rimfold
