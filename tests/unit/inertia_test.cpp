// The target-monitor edges of inertial movement: a monitor the long-lived list does not
// know yet, a count larger than the list, and monitors beyond the ten the tables hold.
#include <gtest/gtest.h>

#include <vector>

#include "engine/drag_features.h"
#include "fake/fake_desktop.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeMonitor;
using test::FakeWindow;

// Monitors of 1000 x 800 side by side from x = 0, each area its whole screen.
struct Row {
  explicit Row(int count) {
    std::vector<FakeMonitor> list;
    for (int i = 0; i < count; ++i) {
      list.push_back({0, {i * 1000, 0, i * 1000 + 1000, 800}, {}, i == 0});
    }
    d.setMonitors(list);
    monitors.refresh();
    tables.GMonitorCount = monitors.count();
    for (std::size_t i = 0; i < tables.MWorkArea.size(); ++i) {
      tables.MWorkArea[i] = {0, 800, static_cast<std::int32_t>(i) * 1000,
                             static_cast<std::int32_t>(i) * 1000 + 1000};
    }
  }
  // A 100 ms drag (factor 4) of a 200 x 100 window by dx to the right, ending at `left`.
  TRect throwRight(std::int32_t left, std::int32_t dx) {
    FakeWindow w;
    w.rect = {left, 100, left + 200, 200};
    const Hwnd h = d.addWindow(w);
    const TRect snap{left - dx, 100, left - dx + 200, 200};
    Stopwatch watch;
    watch.startNew(d);
    d.advance(100);
    watch.stop(d);
    Proc_MoveWindowSpeed(p, monitors, tables, DragState{snap, watch}, true, false, h);
    return d.rectOf(h);
  }

  FakeDesktop d;
  Platform p = d.platform();
  MonitorList monitors{d};
  MonitorTables tables;
};

TEST(InertiaTarget, TheTargetMonitorChoosesTheArea) {
  struct Case {
    const char* name;
    int monitors;
    std::int32_t left, dx;
    TRect expected;
  } cases[] = {
      // From 8100 by 4 x 100 to 8500 on monitor 8: inside its area, not clamped.
      {"inside monitor 8", 11, 8100, 100, {8500, 100, 8700, 200}},
      // Corner at 9950 on monitor 9 is inside its area (Right 10000) and left hanging over.
      {"hanging over monitor 9's edge", 11, 9550, 100, {9950, 100, 10150, 200}},
      // Onto monitor 10: the tables hold ten monitors; the window stays where it was dropped.
      {"onto an eleventh monitor", 11, 9900, 100, {9900, 100, 10100, 200}},
  };
  for (const auto& c : cases) {
    Row r(c.monitors);
    EXPECT_EQ(r.throwRight(c.left, c.dx), c.expected) << c.name;
  }
}

// A second monitor comes after the list was read; the corner lands on it at 1100.
TEST(InertiaTarget, AMonitorTheListDoesNotKnowIsLookedUpAfresh) {
  struct Case {
    const char* name;
    int count;  // GMonitorCount: 2 once the tables were rebuilt for it
    TRect expected;
  } cases[] = {
      {"tables rebuilt: its own area", 2, {1100, 100, 1300, 200}},
      {"no area for it yet: left where dropped", 1, {700, 100, 900, 200}},
  };
  for (const auto& c : cases) {
    Row r(1);
    r.d.addMonitor({0, {1000, 0, 2000, 800}, {}, false});
    r.tables.GMonitorCount = c.count;
    EXPECT_EQ(r.throwRight(700, 100), c.expected) << c.name;
  }
}

TEST(InertiaTarget, ACountLargerThanTheListReadsNothingBeyondIt) {
  Row r(2);
  r.tables.GMonitorCount = 5;
  EXPECT_EQ(r.throwRight(1100, 100), (TRect{1500, 100, 1700, 200}));
}

}  // namespace
}  // namespace rimfold
