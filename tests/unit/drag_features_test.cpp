#include "engine/drag_features.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A 1920x1080 primary with a 1040-high work area; optionally a second monitor at the left.
struct DragRig {
  explicit DragRig(bool twoMonitors = false) {
    std::vector<FakeMonitor> list = {{0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true}};
    if (twoMonitors) list.push_back({0, {-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, false});
    test::tablesFromMonitors(d, monitors, config.tables, list);
    FakeProcess app;
    app.moduleFileName = u"C:\\Apps\\app.exe";
    d.setProcess(kPid, app);
  }

  // A drag from `from` to `to` that took t milliseconds; the window ends at `to`.
  Hwnd drag(const TRect& from, const TRect& to, std::int64_t t, FakeWindow w = {}) {
    w.rect = to;
    w.processId = kPid;
    const Hwnd h = d.addWindow(w);
    snap = from;
    d.setNow(1000);
    watch.startNew(d);
    d.advance(t);
    watch.stop(d);
    return h;
  }

  void throwIt(Hwnd h, bool on = true, bool stopped = false) {
    Proc_MoveWindowSpeed(p, monitors, config.tables, DragState{snap, watch}, on, stopped, h);
  }

  FakeDesktop d;
  Platform p = d.platform();
  MonitorList monitors{d};
  ProgramState config;
  CorrectionEngine correction{p, config.lists, config.switches, config.tables, monitors};
  TRect snap{};
  Stopwatch watch;
};

TEST(ThrowFactor, ByDragTime) {
  struct Case {
    std::int64_t t;
    int factor;
  };
  const Case cases[] = {{0, 4}, {249, 4}, {250, 2}, {499, 2}, {500, 1}, {501, 0}, {5000, 0}};
  for (const auto& c : cases) EXPECT_EQ(throwFactor(c.t), c.factor) << c.t << " ms";
}

// The drag time is the raw counter's difference truncated once: a start just before a
// millisecond boundary must not make 499.9 ms read 500 (factor 1 instead of 2).
TEST(ThrowFactor, DragTimeIsTruncatedOnceFromTheRawCounts) {
  constexpr std::int64_t kTicksPerMs = FakeDesktop::kFakeTicksPerSecond / 1000;
  struct Case {
    std::int64_t startTicks, endTicks, ms;
  };
  const Case cases[] = {{kTicksPerMs - 1, 501 * kTicksPerMs - 2, 499},
                        {kTicksPerMs - 1, 501 * kTicksPerMs - 1, 500},
                        {0, 500 * kTicksPerMs, 500}};
  for (const auto& c : cases) {
    FakeDesktop d;
    d.advanceTicks(c.startTicks);
    Stopwatch watch;
    watch.startNew(d);
    d.advanceTicks(c.endTicks - c.startTicks);
    watch.stop(d);
    EXPECT_EQ(watch.elapsedMilliseconds(d), c.ms) << c.startTicks << " to " << c.endTicks;
  }
}

TEST(InertialMovement, ThrowsByFactorAndClampsInOrder) {
  struct Case {
    const char* name;
    TRect from, to;
    std::int64_t t;
    TRect expected;
  };
  const Case cases[] = {
      // 50 px to the right in 200 ms: a further 4 x 50.
      {"fast right", {100, 100, 500, 400}, {150, 100, 550, 400}, 200, {350, 100, 750, 400}},
      {"medium down", {100, 100, 500, 400}, {100, 150, 500, 450}, 300, {100, 250, 500, 550}},
      {"exactly 500 ms", {100, 100, 500, 400}, {120, 100, 520, 400}, 500, {140, 100, 540, 400}},
      {"too slow", {100, 100, 500, 400}, {150, 100, 550, 400}, 501, {150, 100, 550, 400}},
      // Past the left edge: the left edge lands on the area's.
      {"to the left edge", {300, 100, 700, 400}, {200, 100, 600, 400}, 100, {0, 100, 400, 400}},
      {"to the top edge", {100, 300, 500, 600}, {100, 200, 500, 500}, 100, {100, 0, 500, 300}},
      // The top-left corner below Bottom: the bottom edge ends on Bottom.
      {"below the bottom", {100, 500, 500, 800}, {100, 900, 500, 1200}, 100, {100, 740, 500, 1040}},
      // Just above Bottom: not moved up, it may hang over the edge.
      {"corner just above the bottom",
       {100, 1000, 400, 1100},
       {100, 1008, 400, 1108},
       100,
       {100, 1040, 400, 1140}},
      {"past the right",
       {1000, 100, 1400, 400},
       {1500, 100, 1900, 400},
       100,
       {1520, 100, 1920, 400}},
      // A resize by the right border does not move the corner.
      {"resize by the right border",
       {100, 100, 500, 400},
       {100, 100, 700, 400},
       100,
       {100, 100, 700, 400}},
  };
  for (const auto& c : cases) {
    DragRig rig;
    const Hwnd h = rig.drag(c.from, c.to, c.t);
    rig.throwIt(h);
    EXPECT_EQ(rig.d.rectOf(h), c.expected) << c.name;
  }
}

TEST(InertialMovement, TargetMonitorAtNegativeCoordinates) {
  DragRig rig(true);
  // Thrown leftwards onto the second monitor: clamped to its area, not the primary's.
  const Hwnd h = rig.drag({300, 100, 700, 400}, {100, 100, 500, 400}, 100);
  rig.throwIt(h);
  EXPECT_EQ(rig.d.rectOf(h), (TRect{-700, 100, -300, 400}));
  const Hwnd far = rig.drag({300, 100, 700, 400}, {-100, 100, 300, 400}, 100);
  rig.throwIt(far);
  EXPECT_EQ(rig.d.rectOf(far), (TRect{-1280, 100, -880, 400}));
}

TEST(InertialMovement, NothingWhenOffStoppedOrAModernApp) {
  struct Case {
    const char* name;
    bool on, stopped;
    std::u16string className;
    bool startSeen = true;
  };
  const Case cases[] = {{"option off", false, false, u"FakeClass"},
                        {"stopped", true, true, u"FakeClass"},
                        {"core window", true, false, u"Windows.UI.Core.CoreWindow"},
                        {"no drag start seen", true, false, u"FakeClass", false}};
  for (const auto& c : cases) {
    DragRig rig;
    FakeWindow w;
    w.className = c.className;
    const Hwnd h = rig.drag({100, 100, 500, 400}, {150, 100, 550, 400}, 100, w);
    if (!c.startSeen) rig.watch.reset();
    rig.throwIt(h, c.on, c.stopped);
    EXPECT_EQ(rig.d.rectOf(h), (TRect{150, 100, 550, 400})) << c.name;
  }
}

TEST(InertialMovement, AWindowThrownOffEveryMonitorIsCentred) {
  DragRig rig;
  // An area wider than the screen lets the throw end beyond every monitor.
  rig.config.tables.MWorkArea[0] = {0, 5000, 0, 9000};
  rig.d.setTaskbar(TaskbarEdge::Bottom, {0, 1040, 1920, 1080});
  const Hwnd h = rig.drag({1000, 100, 1400, 400}, {1600, 100, 2000, 400}, 100);
  rig.throwIt(h);
  // Centred on the primary work area extended over the bottom taskbar: (1920-400)/2, (1080-300)/2.
  EXPECT_EQ(rig.d.rectOf(h), (TRect{760, 390, 1160, 690}));
}

struct SizeCase {
  const char* name;
  std::int32_t level;
  TRect work;
  TRect window;
  std::uint32_t style;
  TRect expected;
};

TEST(MinimumSize, WidensAndHeightensToTheFraction) {
  const TRect wa = {0, 0, 1920, 1040};
  const SizeCase cases[] = {
      {"1/2 widens 900 to 960",
       1,
       wa,
       {100, 100, 1000, 700},
       kWsOverlappedWindow,
       {100, 100, 1060, 700}},
      {"1/3 leaves 900 x 600",
       2,
       wa,
       {100, 100, 1000, 700},
       kWsOverlappedWindow,
       {100, 100, 1000, 700}},
      {"1/4 both too small", 3, wa, {50, 60, 250, 160}, kWsOverlappedWindow, {50, 60, 530, 320}},
      {"1919 div 2 = 959 is not wider than 959",
       1,
       {0, 0, 1919, 1040},
       {10, 10, 969, 600},
       kWsOverlappedWindow,
       {10, 10, 969, 600}},
      {"no sizing border",
       1,
       wa,
       {100, 100, 300, 200},
       kWsCaption | kWsSysMenu,
       {100, 100, 300, 200}},
      {"off", 0, wa, {100, 100, 300, 200}, kWsOverlappedWindow, {100, 100, 300, 200}},
  };
  for (const auto& c : cases) {
    DragRig rig;
    rig.d.setMonitors({{0, {0, 0, 1920, 1080}, c.work, true}});
    rig.monitors.refresh();
    FakeWindow w;
    w.rect = c.window;
    w.style = c.style;
    w.processId = kPid;
    const Hwnd h = rig.d.addWindow(w);
    Proc_Constraints(rig.p, rig.correction, rig.monitors, rig.config.lists.ListBoxD, false, c.level,
                     h);
    EXPECT_EQ(rig.d.rectOf(h), c.expected) << c.name;
  }
}

TEST(MinimumSize, NothingWhenStoppedOrExcluded) {
  struct Case {
    const char* name;
    bool stopped;
    StringList exclusions;
  };
  const Case cases[] = {{"stopped", true, {}},
                        {"excluded program", false, {u"app.exe,"}},
                        {"excluded class", false, {u"APP.EXE,FakeClass,"}}};
  for (const auto& c : cases) {
    DragRig rig;
    FakeWindow w;
    w.rect = {100, 100, 300, 200};
    w.processId = kPid;
    const Hwnd h = rig.d.addWindow(w);
    Proc_Constraints(rig.p, rig.correction, rig.monitors, c.exclusions, c.stopped, 1, h);
    EXPECT_EQ(rig.d.rectOf(h), (TRect{100, 100, 300, 200})) << c.name;
  }
}

// The program path, the dearest question, is asked only where an exclusion decides: never
// for a throw, and for the size limit only when the window would be resized.
TEST(DragFeatures, TheProgramPathOnlyWhereAnExclusionDecides) {
  struct Case {
    const char* name;
    std::int32_t level;  // 0: a throw instead of the size limit
    StringList exclusions;
    TRect end;
    bool identified;
  };
  const Case cases[] = {
      {"thrown", 0, {}, {350, 100, 1250, 700}, false},
      {"large enough", 2, {u"OTHER.EXE,"}, {150, 100, 1050, 700}, false},
      {"too narrow", 1, {u"OTHER.EXE,"}, {150, 100, 1110, 700}, true},
      {"too narrow, excluded", 1, {u"APP.EXE,"}, {150, 100, 1050, 700}, true},
  };
  for (const auto& c : cases) {
    DragRig rig;
    // 900 x 600 on a 1920 x 1040 work area: under a half wide, over a third either way.
    const Hwnd h = rig.drag({100, 100, 1000, 700}, {150, 100, 1050, 700}, 200);
    rig.d.resetCalls();
    if (c.level == 0) {
      rig.throwIt(h);
    } else {
      Proc_Constraints(rig.p, rig.correction, rig.monitors, c.exclusions, false, c.level, h);
    }
    EXPECT_EQ(rig.d.rectOf(h), c.end) << c.name;
    EXPECT_EQ(rig.d.calls(Op::OpenProcess) > 0, c.identified) << c.name;
  }
}

}  // namespace
}  // namespace rimfold
