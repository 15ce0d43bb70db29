// Windows 10 and 11 draw no part of a sizable window's resize borders: where a window stands
// is its visible frame, and a move adds the window's borders back. (With no window manager,
// as on Wine, the frame is the rectangle and every other suite holds.)
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/correction.h"
#include "engine/drag_features.h"
#include "engine/window_ops.h"
#include "fake/fake_desktop.h"
#include "tables_from_monitors.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeMonitor;
using test::FakeProcess;
using test::FakeWindow;
using test::Op;

constexpr std::uint32_t kPid = 1000;
// Windows 10 at 100 %, as Left, Top, Right, Bottom widths; a maximized window's are all 8.
constexpr TRect kBorders{7, 0, 7, 7};
constexpr TRect kMaximizedBorders{8, 8, 8, 8};
const FakeMonitor kMonitor{
    .bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true};

TRect around(const TRect& frame, const TRect& b) {
  return {frame.Left - b.Left, frame.Top - b.Top, frame.Right + b.Right, frame.Bottom + b.Bottom};
}

struct Rig {
  explicit Rig(const std::vector<FakeMonitor>& list = {kMonitor}) {
    d.setWindowManager(true);
    d.setSystemMetric(kSmCxSize, 20);
    d.setSystemMetric(kSmCySize, 20);
    d.setSystemMetric(kSmCyFrame, 4);
    d.setProcess(kPid, {.moduleFileName = u"C:\\Apps\\app.exe"});
    test::tablesFromMonitors(d, monitors, state.tables, list);
  }
  // A window the user sees at frame.
  Hwnd add(const TRect& frame, const std::function<void(FakeWindow&)>& tweak = {}) {
    FakeWindow w;
    w.processId = kPid;
    w.invisibleBorders = kBorders;
    if (tweak) tweak(w);
    w.rect = around(frame, w.invisibleBorders);
    return d.addWindow(w);
  }

  FakeDesktop d;
  Platform p{d.platform()};
  ProgramState state;
  MonitorList monitors{d};
  CorrectionEngine engine{p, state.lists, state.switches, state.tables, monitors};
};

TEST(VisibleFrame, TheCorrectionMeasuresWhatTheUserSees) {
  struct Case {
    const char* name;
    TRect frame;
    TRect end;  // the frame after the sweep
    bool zoomed = false;
    bool rectInside = false;
  };
  // Area 0,0 - 1920,1040.
  const Case cases[] = {
      {"inside by its rectangle", {100, 100, 500, 400}, {100, 100, 500, 400}, false, true},
      {"snapped to the left half", {0, 0, 960, 1040}, {0, 0, 960, 1040}},
      {"touching the bottom and the right by its frame",
       {1520, 740, 1920, 1040},
       {1520, 740, 1920, 1040}},
      {"50 below the area", {100, 790, 500, 1090}, {100, 740, 500, 1040}},
      {"taller than the area", {100, -30, 500, 1100}, {100, 0, 500, 1040}},
      {"off the left", {-50, 100, 350, 400}, {0, 100, 400, 400}},
      {"wider than the area, off the right", {0, 100, 2000, 400}, {0, 100, 1920, 400}},
      {"maximized over the work area", {0, 0, 1920, 1040}, {0, 0, 1920, 1040}, true},
      {"maximized, five over on the left", {-5, 0, 1920, 1040}, {0, 0, 1920, 1040}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.state.switches.TBMAXDisable = false;
    const Hwnd h = r.add(c.frame, [&](FakeWindow& w) {
      w.zoomed = c.zoomed;
      if (c.zoomed) w.invisibleBorders = kMaximizedBorders;
    });
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.d.visibleFrameOf(h), c.end);
    const bool moved = c.end != c.frame;
    EXPECT_EQ(r.d.moveLog(h).empty(), !moved);
    // A move counts as made when the frame landed where it was asked to.
    EXPECT_EQ(r.state.lists.ListBoxE.empty(), !moved);
    if (moved && !c.zoomed) {
      EXPECT_EQ(r.engine.MProcC, 5);
    }
    // The frame is asked for only when the rectangle is not inside.
    if (c.rectInside) {
      EXPECT_EQ(r.d.calls(Op::GetVisibleFrame), 0u);
    }
    r.d.resetCalls();
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.d.calls(Op::MoveWindow), 0u);
  }
}

TEST(VisibleFrame, AThrowStopsWithTheFrameOnTheEdge) {
  struct Case {
    const char* name;
    TRect from, to;  // frames at the drag's start and end
    TRect end;
  };
  const Case cases[] = {
      {"thrown past the left edge", {550, 100, 950, 400}, {400, 100, 800, 400}, {0, 100, 400, 400}},
      {"thrown below the bottom edge",
       {100, 500, 500, 800},
       {100, 700, 500, 1000},
       {100, 740, 500, 1040}},
  };
  for (const Case& c : cases) {
    Rig r;
    const Hwnd h = r.add(c.to);
    Stopwatch watch;
    r.d.setNow(1000);
    watch.startNew(r.d);
    r.d.advance(200);
    watch.stop(r.d);
    Proc_MoveWindowSpeed(r.p, r.monitors, r.state.tables,
                         DragState{around(c.from, kBorders), watch}, true, false, h);
    EXPECT_EQ(r.d.visibleFrameOf(h), c.end) << c.name;
  }
}

TEST(VisibleFrame, TheMinimumSizeIsTheFrames) {
  struct Case {
    const char* name;
    TRect frame;
    TRect end;
  };
  // Half of the 1920-wide work area: 960.
  const Case cases[] = {
      {"900 wide", {100, 100, 1000, 700}, {100, 100, 1060, 700}},
      {"950 wide, 964 by its rectangle", {100, 100, 1050, 700}, {100, 100, 1060, 700}},
      {"960 wide", {100, 100, 1060, 700}, {100, 100, 1060, 700}},
  };
  for (const Case& c : cases) {
    Rig r;
    const Hwnd h = r.add(c.frame);
    Proc_Constraints(r.p, r.engine, r.monitors, r.state.lists.ListBoxD, false, 1, h);
    EXPECT_EQ(r.d.visibleFrameOf(h), c.end) << c.name;
  }
}

TEST(VisibleFrame, ALostWindowIsCentredByItsFrameAndMovedAgainAfterItRescales) {
  // The window is lost beyond a 144-DPI monitor and centred on the 96-DPI primary, where it
  // shrinks to two thirds on arrival.
  Rig r({kMonitor, {.bounds = {1920, 0, 3200, 1024}, .work = {1920, 0, 3200, 984}, .dpi = 144}});
  const Hwnd h = r.add({4000, 0, 4400, 300}, [](FakeWindow& w) { w.rescalesOnDpi = true; });
  Proc_CenterLostWindow(r.p, h);
  // Centred over the whole screen: the work area and the 40-pixel taskbar it leaves out.
  EXPECT_EQ(r.d.visibleFrameOf(h), (TRect{760, 390, 1160, 690}));
}

}  // namespace
}  // namespace rimfold
