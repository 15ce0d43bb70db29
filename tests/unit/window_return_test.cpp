// Windows going back to their monitor when a layout returns: recorded by the sweeps,
// frozen when the system changes the screen behind the program's back, put back only where
// nothing else has claimed the window since.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/correction.h"
#include "engine/window_return.h"
#include "fake/fake_desktop.h"
#include "tables_from_monitors.h"
#include "settings/window_lists.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeMonitor;
using test::FakeProcess;
using test::FakeWindow;

constexpr std::uint32_t kPid = 4321;
const FakeMonitor kFirst{.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true};
const FakeMonitor kSecond{.bounds = {1920, 0, 3200, 1024}, .work = {1920, 0, 3200, 984}};
constexpr TRect kNormalOnSecond{2000, 100, 2400, 400};
constexpr TRect kOnFirst{100, 100, 500, 400};

struct Rig {
  Rig() {
    FakeProcess app;
    app.moduleFileName = u"C:\\Apps\\app.exe";
    d.setProcess(kPid, app);
    useMonitors({kFirst, kSecond});
    normal = d.addWindow({.rect = kNormalOnSecond, .processId = kPid});
    maximized = d.addWindow({.rect = kSecond.work, .processId = kPid, .zoomed = true});
    first = d.addWindow({.rect = kOnFirst, .processId = kPid});
    sweep();
  }

  // The tables follow the monitors, and the records the layout, as after a display change.
  void useMonitors(const std::vector<FakeMonitor>& list, bool putBack = true) {
    test::tablesFromMonitors(d, monitors, state.tables, list);
    places.enter(
        monitors, [this](Hwnd w, WindowIdentity& id) { return engine.mayReturn(w, id); }, putBack);
  }
  // One sweep as the event driver runs it: records, and corrects what sticks out.
  void sweep() {
    places.sweepBegin();
    {
      const CorrectionEngine::Sweep s(engine, &places);
      p.windows.enumWindows([&](Hwnd w) {
        engine.Proc_CheckWindow(w);
        return true;
      });
    }
    places.sweepEnd(true);
  }
  // The second monitor goes: the system moves the maximized window onto the first one
  // before the change is announced, and a sweep sees that; then the new layout is in force
  // and the program's own sweep brings the normal window over.
  void secondMonitorGone() {
    d.setMonitors({kFirst});
    d.window(maximized).rect = kFirst.work;
    sweep();
    useMonitors({kFirst});
    sweep();
  }

  FakeDesktop d;
  Platform p{d.platform()};
  ProgramState state;
  MonitorList monitors{d};
  CorrectionEngine engine{p, state.lists, state.switches, state.tables, monitors};
  WindowReturn places{p};
  Hwnd normal = 0, maximized = 0, first = 0;
};

TEST(WindowReturn, ALayoutThatReturnsGetsItsWindowsBackUnlessSomethingClaimedThem) {
  struct Case {
    const char* name;
    std::function<void(Rig&)> meanwhile;
    bool putBack;
    bool back;  // the two windows of the second monitor where they were
  };
  const Case cases[] = {
      {"nothing happened", [](Rig&) {}, true, true},
      {"the item off, or stopped", [](Rig&) {}, false, false},
      {"the user dragged them",
       [](Rig& r) {
         r.places.userMoved(r.normal);
         r.places.userMoved(r.maximized);
       },
       true, false},
      {"cloaked since: on another virtual desktop",
       [](Rig& r) {
         r.d.setWindowManager(true);
         r.d.window(r.normal).cloaked = true;
         r.d.window(r.maximized).cloaked = true;
       },
       true, false},
      {"excluded since", [](Rig& r) { r.state.lists.ListBoxD.insertUnique(u"APP.EXE,FakeClass,"); },
       true, false},
      {"their handles now other windows'",
       [](Rig& r) {
         for (Hwnd* w : {&r.normal, &r.maximized}) {
           const TRect rect = r.d.rectOf(*w);
           r.d.destroyWindow(*w);
           FakeWindow other;
           other.handle = *w;
           other.rect = rect;
           other.className = u"OtherClass";
           other.processId = kPid;
           r.d.addWindow(other);
         }
       },
       true, false},
  };
  for (const Case& c : cases) {
    Rig r;
    r.secondMonitorGone();
    ASSERT_LT(r.d.rectOf(r.normal).Right, 1921) << c.name;
    ASSERT_LT(r.d.rectOf(r.maximized).Right, 1921) << c.name;
    c.meanwhile(r);
    const std::size_t firstMoves = r.d.moveLog(r.first).size();
    r.useMonitors({kFirst, kSecond}, c.putBack);

    const bool normalBack = r.d.rectOf(r.normal) == kNormalOnSecond && !r.d.window(r.normal).zoomed;
    const bool maximizedBack =
        r.d.rectOf(r.maximized) == kSecond.work && r.d.window(r.maximized).zoomed;
    EXPECT_EQ(normalBack, c.back) << c.name;
    EXPECT_EQ(maximizedBack, c.back) << c.name;
    EXPECT_EQ(r.d.moveLog(r.first).size(), firstMoves) << c.name;
  }
}

TEST(WindowReturn, AWindowThatRescalesOnTheMonitorItReturnsToEndsAtItsPlace) {
  Rig r;
  r.secondMonitorGone();
  r.d.window(r.normal).rescalesOnDpi = true;
  FakeMonitor scaled = kSecond;
  scaled.dpi = 144;
  r.useMonitors({kFirst, scaled});
  EXPECT_EQ(r.d.rectOf(r.normal), kNormalOnSecond);
}

// A place comes from the window's own events too, not only from sweeps that happen to reach
// it, and it is where Rimfold's correction left the window.
TEST(WindowReturn, APlaceIsNotedAtTheWindowsEventsAndAfterItsCorrection) {
  Rig r;
  const Hwnd over = r.d.addWindow({.rect = {3000, 100, 3400, 400}, .processId = kPid});
  r.sweep();
  ASSERT_EQ(r.d.rectOf(over), (TRect{2800, 100, 3200, 400}));
  // Opened after that sweep, and reached by none before the monitor goes.
  const Hwnd late = r.d.addWindow({.rect = {2500, 500, 2900, 800}, .processId = kPid});
  r.engine.notePlace(late, r.places);
  r.secondMonitorGone();
  r.useMonitors({kFirst, kSecond});
  EXPECT_EQ(r.d.rectOf(late), (TRect{2500, 500, 2900, 800}));
  EXPECT_EQ(r.d.rectOf(over), (TRect{2800, 100, 3200, 400}));
}

TEST(WindowReturn, AWindowCloakedWhenFirstSeenHasNoPlace) {
  Rig r;
  r.d.setWindowManager(true);
  r.d.addWindow({.rect = kNormalOnSecond, .processId = kPid, .cloaked = true});
  r.sweep();
  EXPECT_EQ(r.places.recordCount(), 3u);
}

TEST(WindowReturn, WindowsNotedBetweenSweepsAreBounded) {
  Rig r;
  std::vector<Hwnd> many;
  while (r.places.recordCount() < WindowReturn::kMaxPlaces) {
    many.push_back(r.d.addWindow({.rect = kOnFirst, .processId = kPid}));
    r.engine.notePlace(many.back(), r.places);
  }
  for (std::size_t i = 0; i < 10; ++i) r.d.destroyWindow(many[i]);
  r.engine.notePlace(r.d.addWindow({.rect = kOnFirst, .processId = kPid}), r.places);
  EXPECT_EQ(r.places.recordCount(), WindowReturn::kMaxPlaces - 9);
}

TEST(WindowReturn, RecordsAreBoundedByTheOpenWindowsAndAFewLayouts) {
  Rig r;
  ASSERT_EQ(r.places.recordCount(), 3u);
  r.d.destroyWindow(r.first);
  r.sweep();
  EXPECT_EQ(r.places.recordCount(), 2u);
  for (int i = 0; i < 6; ++i) {
    r.useMonitors({{.bounds = {0, 0, 1000 + i, 800}, .primary = true}});
    r.sweep();
  }
  EXPECT_EQ(r.places.layoutCount(), WindowReturn::kMaxLayouts);
  // The two-monitor layout was the oldest: forgotten, so nothing goes back.
  r.useMonitors({kFirst, kSecond});
  EXPECT_NE(r.d.rectOf(r.normal), kNormalOnSecond);
}

}  // namespace
}  // namespace rimfold
