#include "engine/correction.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/drag_features.h"
#include "engine/event_driver.h"
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
constexpr int kCaptionButton = 20;
constexpr int kFrame = 4;

const std::u16string kProgramKey = u"APP.EXE,";
const std::u16string kClassKey = u"APP.EXE,FakeClass,";
const std::u16string kWindowKey = u"APP.EXE,FakeClass,Window";

struct CountingView : IListObserver {
  int processed = 0;
  int exclusion = 0;
  void processedListChanged() override { ++processed; }
  void exclusionListChanged() override { ++exclusion; }
};

// One 1920x1080 primary monitor whose work area leaves 40 pixels for a taskbar.
const std::vector<FakeMonitor> kSingleMonitor = {{0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true}};

// A desktop, the dialog's state and the engine, fresh for every case.
struct Rig {
  Rig() {
    d.setSystemMetric(kSmCxSize, kCaptionButton);
    d.setSystemMetric(kSmCySize, kCaptionButton);
    d.setSystemMetric(kSmCyFrame, kFrame);
    FakeProcess app;
    app.moduleFileName = u"C:\\Apps\\app.exe";
    d.setProcess(kPid, app);
    config.lists.observer = &view;
    useMonitors(kSingleMonitor);
  }

  // The allowed areas start as the monitors' work areas, as after start-up.
  void useMonitors(const std::vector<FakeMonitor>& list) {
    test::tablesFromMonitors(d, monitors, config.tables, list);
  }

  Hwnd addWindow(const TRect& r, const std::function<void(FakeWindow&)>& tweak = {}) {
    FakeWindow w;
    w.rect = r;
    w.processId = kPid;
    if (tweak) tweak(w);
    return d.addWindow(w);
  }

  std::vector<std::u16string> allKeys() const { return {kWindowKey, kClassKey, kProgramKey}; }
  std::uint64_t moves() const { return d.calls(Op::MoveWindow); }

  FakeDesktop d;
  Platform p{d.platform()};
  ProgramState config;
  CountingView view;
  MonitorList monitors{d};
  CorrectionEngine engine{p, config.lists, config.switches, config.tables, monitors};
};

// ---- the filter ----

struct FilterCase {
  const char* name;
  int failedTest;  // 0: passes
  std::function<void(FakeWindow&, ProgramState&, FakeDesktop&)> setUp;
  bool moved = true;  // for a passing window: whether the correction moves it
};

// Every row fails exactly its test and passes the earlier ones. The base window sticks out
// of the top of the area, so a window that passed would be moved.
const FilterCase kFilterCases[] = {
    {"passes", 0, [](FakeWindow&, ProgramState&, FakeDesktop&) {}},
    {"left button held", 1,
     [](FakeWindow&, ProgramState&, FakeDesktop& d) { d.setKeyDown(kVkLButton, true); }},
    {"right button held", 1,
     [](FakeWindow&, ProgramState&, FakeDesktop& d) { d.setKeyDown(kVkRButton, true); }},
    {"empty title", 2, [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.title.clear(); }},
    {"Program Manager", 2,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.title = u"Program Manager"; }},
    {"invisible", 2, [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.visible = false; }},
    {"minimized", 2, [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.iconic = true; }},
    {"cloaked: on another virtual desktop", 2,
     [](FakeWindow& w, ProgramState&, FakeDesktop& d) {
       d.setWindowManager(true);
       w.cloaked = true;
     }},
    {"off every monitor with the off-screen test", 2,
     [](FakeWindow& w, ProgramState& c, FakeDesktop&) {
       c.switches.TBDisableDeskTop = true;
       w.rect = {3000, 100, 3400, 400};
     }},
    {"maximized while maximized windows are left alone", 3,
     [](FakeWindow& w, ProgramState& c, FakeDesktop&) {
       c.switches.TBMAXDisable = true;
       w.zoomed = true;
     }},
    {"disabled", 4, [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.enabled = false; }},
    {"program key excluded", 5,
     [](FakeWindow&, ProgramState& c, FakeDesktop&) {
       c.lists.ListBoxD = {u"other,", u"app.exe,"};
     }},
    {"class key excluded", 5,
     [](FakeWindow&, ProgramState& c, FakeDesktop&) {
       c.lists.ListBoxD = {u"APP.EXE,FAKECLASS,"};
     }},
    {"window key excluded", 5,
     [](FakeWindow&, ProgramState& c, FakeDesktop&) { c.lists.ListBoxD = {kWindowKey}; }},
    {"parked rectangle", 6,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {-32000, -32000, -31600, -31700};
     }},
    // Maximized windows skip the off-screen test, so the monitor test is theirs to fail.
    {"maximized beyond every monitor", 7,
     [](FakeWindow& w, ProgramState& c, FakeDesktop&) {
       c.switches.TBMAXDisable = false;
       c.switches.TBDisableDeskTop = true;
       w.zoomed = true;
       w.rect = {5000, 100, 6000, 900};
     }},
    {"left below -9999", 8,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {-10000, 100, -9600, 400};
     }},
    {"left above 9999", 8,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {10000, 100, 10400, 400};
     }},
    {"top below -9999", 8,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {100, -10000, 500, -9700};
     }},
    {"top above 9999", 8,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {100, 10000, 500, 10300};
     }},
    {"lower than a caption button", 9,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {100, -10, 500, 9};
     }},
    {"narrower than a caption button", 9,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {100, -30, 119, 370};
     }},
    // Caption buttons are 1.5 times as large on a 144-DPI monitor.
    {"lower than a caption button at 144 DPI", 9,
     [](FakeWindow& w, ProgramState&, FakeDesktop& d) {
       d.setMonitorDpi(d.monitorFromPoint({0, 0}, MonitorDefault::Nearest), 144);
       w.rect = {100, -10, 500, 19};
     }},
    {"core window", 10,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.className = u"Windows.UI.Core.CoreWindow";
     }},
    {"store frame without core window", 10,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.className = u"ApplicationFrameWindow"; }},
    {"volume slider", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"表示スライダー コントロール";
       w.className = u"ViewControlClass";
     }},
    {"drag image", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"Drag";
       w.className = u"SysDragImage";
     }},
    {"start button of the shell", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop& d) {
       w.title = u"スタート";
       w.className = u"Button";
       FakeProcess shell;
       shell.moduleFileName = u"C:\\Windows\\explorer.exe";
       d.setProcess(2000, shell);
       w.processId = 2000;
     }},
    {"start menu", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"スタート メニュー";
       w.className = u"DV2ControlHost";
     }},
    {"network tooltip", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"View Available Networks (Tooltip)";
       w.className = u"VANUITooltip";
     }},
    {"jump list", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"ジャンプ リスト";
       w.className = u"DV2ControlHost";
     }},
    {"Task View, whatever its title", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.className = u"MultitaskingViewFrame"; }},
    {"a second monitor's taskbar", 11,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.className = u"Shell_SecondaryTrayWnd"; }},
    {"screen saver", 12,
     [](FakeWindow& w, ProgramState&, FakeDesktop& d) {
       FakeProcess saver;
       saver.moduleFileName = u"C:\\Windows\\System32\\Mystify.scr";
       d.setProcess(3000, saver);
       w.processId = 3000;
     }},
    {"style 0", 13,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.style = 0;
       w.styleAsGiven = true;
     }},
    {"full screen without sizing frame", 14,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.style = kWsCaption | kWsSysMenu;
       w.rect = {0, 0, 1920, 1080};
     }},
    {"bare popup", 15, [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.style = kWsPopup; }},
    {"an elevated program's", 16,
     [](FakeWindow& w, ProgramState&, FakeDesktop& d) {
       d.setProcess(5000, {.moduleFileName = u"C:\\Apps\\admin.exe", .higherIntegrity = true});
       w.processId = 5000;
     }},
};

// Near misses of the tests above: each still passes the whole filter.
const FilterCase kNearMisses[] = {
    {"left and top at -9999", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {-9999, -9999, 100, 100};
     }},
    // Passes the filter, but the move would leave it no larger than a caption button.
    {"exactly a caption button", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {100, -10, 120, 10};
     },
     false},
    {"start button title and class outside the shell", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"スタート";
       w.className = u"Button";
     }},
    {"shell surface title in another case", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.title = u"drag";
       w.className = u"SysDragImage";
     }},
    {"a taskbar's class in another case", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) { w.className = u"shell_traywnd"; }},
    {"a program at the same integrity level", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop& d) {
       d.setProcess(5000, {.moduleFileName = u"C:\\Apps\\peer.exe", .higherIntegrity = false});
       w.processId = 5000;
     }},
    {"full screen with a sizing frame", 0,
     [](FakeWindow& w, ProgramState&, FakeDesktop&) {
       w.rect = {0, -10, 1920, 1080};
     }},
    {"maximized while maximized windows are processed", 0,
     [](FakeWindow& w, ProgramState& c, FakeDesktop&) {
       c.switches.TBMAXDisable = false;
       w.zoomed = true;
       w.rect = {-20, -20, 1940, 1060};
     }},
    {"partly on a monitor with the off-screen test", 0,
     [](FakeWindow& w, ProgramState& c, FakeDesktop&) {
       c.switches.TBDisableDeskTop = true;
       w.rect = {1800, -30, 2200, 370};
     }},
};

void runFilterCases(const FilterCase* begin, const FilterCase* end) {
  for (const FilterCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->name);
    Rig r;
    FakeWindow w;
    w.rect = {100, -30, 500, 370};
    w.processId = kPid;
    c->setUp(w, r.config, r.d);
    const Hwnd h = r.d.addWindow(w);
    FilterPass pass;
    ASSERT_EQ(r.engine.firstFailedFilterTest(h, pass), c->failedTest);
    r.d.resetCalls();
    r.engine.Proc_CheckWindow(h);
    if (c->failedTest != 0 || !c->moved) {
      EXPECT_EQ(r.moves(), 0u);
      EXPECT_EQ(r.d.calls(Op::SetForegroundWindow), 0u);
      EXPECT_TRUE(r.config.lists.ListBoxE.empty());
      EXPECT_FALSE(r.config.lists.TBListEClearEnabled);
    } else {
      EXPECT_EQ(pass.rect, w.rect);
      EXPECT_GE(r.moves(), 1u);
      EXPECT_FALSE(r.config.lists.ListBoxE.empty());
    }
  }
}

TEST(CorrectionFilter, StopsAtTheFirstFailedTestAndTouchesNothing) {
  runFilterCases(std::begin(kFilterCases), std::end(kFilterCases));
}

TEST(CorrectionFilter, NearMissesPass) {
  runFilterCases(std::begin(kNearMisses), std::end(kNearMisses));
}

// A more trusted process refuses every move: its windows are neither corrected nor resized,
// and a handle it gave up is asked about afresh for the program that reuses it.
TEST(CorrectionFilter, AMoreTrustedProgramsWindowsAreLeftAlone) {
  Rig r;
  r.d.setProcess(5000, {.moduleFileName = u"C:\\Apps\\admin.exe", .higherIntegrity = true});
  const Hwnd h = r.addWindow({100, -30, 500, 370}, [](FakeWindow& w) { w.processId = 5000; });
  r.engine.Proc_CheckWindow(h);
  r.engine.Proc_CheckWindow(h);
  EXPECT_EQ(r.moves(), 0u);
  EXPECT_EQ(r.d.calls(Op::SetForegroundWindow), 0u);

  const Hwnd narrow = r.addWindow({100, 100, 300, 200}, [](FakeWindow& w) { w.processId = 5000; });
  Proc_Constraints(r.p, r.engine, r.monitors, r.config.lists.ListBoxD, false, 1, narrow);
  EXPECT_EQ(r.d.rectOf(narrow), (TRect{100, 100, 300, 200}));

  r.d.destroyWindow(h);
  const Hwnd reused = r.addWindow({100, -30, 500, 370}, [&](FakeWindow& w) { w.handle = h; });
  r.engine.Proc_CheckWindow(reused);
  EXPECT_EQ(r.d.rectOf(reused), (TRect{100, 0, 500, 400}));
}

TEST(CorrectionFilter, StoreFrameWithCoreWindowChildIsProcessed) {
  Rig r;
  const Hwnd frame = r.addWindow({100, -30, 500, 370},
                                 [](FakeWindow& w) { w.className = u"ApplicationFrameWindow"; });
  r.addWindow({100, 0, 500, 370}, [&](FakeWindow& w) {
    w.className = u"Windows.UI.Core.CoreWindow";
    w.parent = frame;
  });
  FilterPass pass;
  EXPECT_EQ(r.engine.firstFailedFilterTest(frame, pass), 0);
}

TEST(CorrectionFilter, IdentityOfAPassingWindow) {
  Rig r;
  const Hwnd h = r.addWindow({100, -30, 500, 370});
  FilterPass pass;
  ASSERT_EQ(r.engine.firstFailedFilterTest(h, pass), 0);
  EXPECT_EQ(pass.identity.Title, u"Window");
  EXPECT_EQ(pass.identity.ClassName, u"FakeClass");
  EXPECT_EQ(programKey(pass.identity), kProgramKey);
}

// ---- edge tests ----

struct EdgeCase {
  const char* name;
  TRect start;
  std::vector<WindowBox> moves;  // requested boxes, in order
  TRect end;
};

// Area: 0,0 - 1920,1040.
const EdgeCase kEdgeCases[] = {
    {"inside", {100, 100, 500, 400}, {}, {100, 100, 500, 400}},
    {"bottom on the area bottom", {100, 740, 500, 1040}, {}, {100, 740, 500, 1040}},
    {"right on the area right", {1520, 100, 1920, 400}, {}, {1520, 100, 1920, 400}},
    {"top", {100, -30, 500, 370}, {{100, 0, 400, 400}}, {100, 0, 500, 400}},
    {"bottom", {100, 800, 500, 1100}, {{100, 740, 400, 300}}, {100, 740, 500, 1040}},
    {"left", {-50, 100, 350, 400}, {{0, 100, 400, 300}}, {0, 100, 400, 400}},
    {"right", {1700, 100, 2100, 400}, {{1520, 100, 400, 300}}, {1520, 100, 1920, 400}},
    {"bottom-right corner, vertical first",
     {1700, 800, 2100, 1100},
     {{1700, 740, 400, 300}, {1520, 740, 400, 300}},
     {1520, 740, 1920, 1040}},
    {"top-left corner, vertical first",
     {-50, -30, 350, 270},
     {{-50, 0, 400, 300}, {0, 0, 400, 300}},
     {0, 0, 400, 300}},
    {"top-right corner",
     {1800, -5, 2000, 195},
     {{1800, 0, 200, 200}, {1720, 0, 200, 200}},
     {1720, 0, 1920, 200}},
    // Taller than the area: fitted at the top, then the bottom test fits it again.
    {"taller than the area",
     {100, -30, 500, 1100},
     {{100, 0, 400, 1040}, {100, 0, 400, 1040}},
     {100, 0, 500, 1040}},
    {"taller, out at the bottom only",
     {100, 0, 500, 1100},
     {{100, 0, 400, 1040}},
     {100, 0, 500, 1040}},
    {"wider than the area",
     {-50, 100, 2000, 400},
     {{0, 100, 1920, 300}, {0, 100, 1920, 300}},
     {0, 100, 1920, 400}},
    {"wider, out at the right only",
     {0, 100, 2000, 400},
     {{0, 100, 1920, 300}},
     {0, 100, 1920, 400}},
};

TEST(CorrectionEdges, MovesIntoTheArea) {
  for (const EdgeCase& c : kEdgeCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    const Hwnd h = r.addWindow(c.start);
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.d.moveLog(h), c.moves);
    EXPECT_EQ(r.d.rectOf(h), c.end);
    if (c.moves.empty()) {
      EXPECT_TRUE(r.config.lists.ListBoxE.empty());
      EXPECT_EQ(r.view.processed, 0);
    } else {
      EXPECT_EQ(r.config.lists.ListBoxE, r.allKeys());
      EXPECT_TRUE(r.config.lists.TBListEClearEnabled);
      EXPECT_EQ(r.view.processed, 1);
      EXPECT_EQ(r.engine.MProcHandle, 0u);
      EXPECT_EQ(r.engine.MProcC, 5);
      // Verified moves leave MProcC at 5, so nothing is excluded.
      EXPECT_TRUE(r.config.lists.ListBoxD.empty());
    }
    // A corrected window stays put on the next sweep.
    r.d.resetCalls();
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.moves(), 0u);
  }
}

TEST(CorrectionEdges, CorrectedWindowIsBroughtToTheForeground) {
  Rig r;
  const Hwnd other = r.addWindow({100, 100, 500, 400});
  r.d.setForeground(other);
  const Hwnd h = r.addWindow({100, -30, 500, 370});
  r.engine.Proc_CheckWindow(h);
  EXPECT_EQ(r.d.getForegroundWindow(), h);
}

TEST(CorrectionEdges, RecordingKeepsExistingEntriesAndPutsTheWindowKeyOnTop) {
  Rig r;
  r.config.lists.ListBoxE = {u"OTHER.EXE,", u"app.exe,"};
  const Hwnd h = r.addWindow({100, -30, 500, 370});
  r.engine.Proc_CheckWindow(h);
  const StringList expected = {kWindowKey, kClassKey, u"OTHER.EXE,", u"app.exe,"};
  EXPECT_EQ(r.config.lists.ListBoxE, expected);
}

// ---- maximized windows ----

struct MaximizedCase {
  const char* name;
  TRect rect;
  bool moved;
  bool hung = false;  // answers no message in time
  int dpi = 96;       // of the monitor: the frame scales with it
};

// Area 0,0 - 1920,1040, frame tolerance 4 on every side (6 at 144 DPI).
const MaximizedCase kMaximizedCases[] = {
    {"normal frame overhang", {-4, -4, 1924, 1044}, false},
    {"left one more", {-5, -4, 1924, 1044}, true},
    {"top one more", {-4, -5, 1924, 1044}, true},
    {"right one more", {-4, -4, 1925, 1044}, true},
    {"bottom one more", {-4, -4, 1924, 1045}, true},
    {"inside", {0, 0, 1920, 1040}, false},
    {"left one more, not answering: left for a later sweep", {-5, -4, 1924, 1044}, false, true},
    {"frame overhang at 144 DPI", {-6, -6, 1926, 1046}, false, false, 144},
    {"left one more at 144 DPI", {-7, -6, 1926, 1046}, true, false, 144},
};

TEST(CorrectionMaximized, FrameToleranceOnEachSide) {
  for (const MaximizedCase& c : kMaximizedCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.config.switches.TBMAXDisable = false;
    r.d.setMonitorDpi(r.d.monitorFromPoint({0, 0}, MonitorDefault::Nearest), c.dpi);
    const Hwnd other = r.addWindow({100, 100, 500, 400});
    r.d.setForeground(other);
    const Hwnd h = r.addWindow(c.rect, [&](FakeWindow& w) {
      w.zoomed = true;
      w.hung = c.hung;
    });
    r.engine.Proc_CheckWindow(h);
    if (c.moved) {
      EXPECT_EQ(r.d.moveLog(h), (std::vector<WindowBox>{{0, 0, 1920, 1040}}));
      EXPECT_EQ(r.config.lists.ListBoxE, r.allKeys());
    } else {
      EXPECT_TRUE(r.d.moveLog(h).empty());
      EXPECT_TRUE(r.config.lists.ListBoxE.empty());
    }
    // Neither the foreground nor the retry state changes.
    EXPECT_EQ(r.d.getForegroundWindow(), other);
    EXPECT_EQ(r.d.calls(Op::SetForegroundWindow), 0u);
    EXPECT_EQ(r.engine.MProcC, 0);
  }
}

// ---- a window that puts itself back out ----

TEST(CorrectionFight, AWindowThatUndoesItsCorrectionIsLeftAloneUntilTheUserMovesIt) {
  struct Case {
    const char* name;
    std::int64_t gapMs;      // between the rounds
    int userMovesAfter;      // round after which the user drags it; 0: never
    int corrected;           // of six rounds
    bool elsewhere = false;  // put out at another place each round
  };
  const Case cases[] = {
      {"a second apart", 1000, 0, 3},
      {"twenty seconds apart: three within the minute", 20000, 0, 3},
      {"31 seconds apart: never three within a minute", 31000, 0, 6},
      {"the user drags it after the third", 1000, 3, 6},
      {"put out at another place each time", 1000, 0, 6, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    const Hwnd h = r.addWindow({100, -30, 500, 370});
    int corrected = 0;
    for (int round = 1; round <= 6; ++round) {
      // It puts itself back, or something puts it out elsewhere.
      r.d.window(h).rect = {100 + (c.elsewhere ? 10 * round : 0), -30, 500, 370};
      r.d.resetCalls();
      r.engine.Proc_CheckWindow(h);
      if (r.moves() > 0) {
        ++corrected;
      } else {
        EXPECT_EQ(r.d.calls(Op::SetForegroundWindow), 0u);
      }
      if (round == c.userMovesAfter) r.engine.userMoved(h);
      r.d.advance(c.gapMs);
    }
    EXPECT_EQ(corrected, c.corrected);
  }
}

// ---- the class key added to the exclusion list ----

TEST(CorrectionExclusion, MaximizedCorrectionBeforeAnyVerifiedMoveExcludesTheClass) {
  Rig r;
  r.config.switches.TBMAXDisable = false;
  r.config.lists.ListBoxD = {u"OTHER.EXE,"};
  const Hwnd h = r.addWindow({-20, -20, 1940, 1060}, [](FakeWindow& w) { w.zoomed = true; });
  r.engine.Proc_CheckWindow(h);
  EXPECT_EQ(r.config.lists.ListBoxD, (StringList{kClassKey, u"OTHER.EXE,"}));
  EXPECT_EQ(r.view.exclusion, 1);
  // Excluded now: the next sweep leaves it alone.
  r.d.resetCalls();
  r.engine.Proc_CheckWindow(h);
  EXPECT_EQ(r.moves(), 0u);
}

TEST(CorrectionExclusion, ClassKeyGoesOnTopOfUnrelatedEntries) {
  Rig r;
  r.config.switches.TBMAXDisable = false;
  // A window key of another title does not exclude this window.
  r.config.lists.ListBoxD = {u"APP.EXE,FakeClass,Other title"};
  const Hwnd h = r.addWindow({-20, -20, 1940, 1060}, [](FakeWindow& w) { w.zoomed = true; });
  r.engine.Proc_CheckWindow(h);
  EXPECT_EQ(r.config.lists.ListBoxD, (StringList{kClassKey, u"APP.EXE,FakeClass,Other title"}));
}

TEST(CorrectionExclusion, NoExclusionOnceAMoveHasBeenVerified) {
  Rig r;
  r.config.switches.TBMAXDisable = false;
  const Hwnd normal = r.addWindow({100, -30, 500, 370});
  r.engine.Proc_CheckWindow(normal);
  ASSERT_EQ(r.engine.MProcC, 5);
  const Hwnd zoomed = r.addWindow({-20, -20, 1940, 1060}, [](FakeWindow& w) {
    w.zoomed = true;
    w.className = u"Zoomed";
  });
  r.engine.Proc_CheckWindow(zoomed);
  EXPECT_EQ(r.d.moveLog(zoomed).size(), 1u);
  EXPECT_TRUE(r.config.lists.ListBoxD.empty());
  EXPECT_EQ(r.view.exclusion, 0);
}

}  // namespace
}  // namespace rimfold

namespace rimfold {
namespace {

// ---- the retry state ----

// A window that refuses its moves, and one that answers no message in time (it is skipped
// without being brought forward or moved), use up their attempts alike.
TEST(CorrectionRetry, SixAttemptsThenGivenUpUntilAnotherWindowMoves) {
  struct Kind {
    const char* name;
    std::function<void(FakeWindow&)> tweak;
    bool answers;
  };
  const Kind kinds[] = {
      {"refuses its moves", [](FakeWindow& w) { w.refusesMoves = true; }, true},
      {"does not answer", [](FakeWindow& w) { w.hung = true; }, false},
  };
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.name);
    Rig r;
    const Hwnd stubborn = r.addWindow({100, -30, 500, 370}, k.tweak);
    struct Step {
      std::size_t attempts;  // moves requested so far by a window that answers
      std::int32_t count;
    };
    const Step expected[] = {{1, 5}, {2, 4}, {3, 3}, {4, 2}, {5, 1}, {6, 0}, {6, 0}, {6, 0}};
    for (std::size_t sweep = 0; sweep < std::size(expected); ++sweep) {
      SCOPED_TRACE(sweep);
      r.engine.Proc_CheckWindow(stubborn);
      EXPECT_EQ(r.d.moveLog(stubborn).size(), k.answers ? expected[sweep].attempts : 0u);
      EXPECT_EQ(r.engine.MProcHandle, stubborn);
      EXPECT_EQ(r.engine.MProcC, expected[sweep].count);
    }
    EXPECT_TRUE(r.config.lists.ListBoxE.empty());
    if (!k.answers) {
      EXPECT_EQ(r.d.calls(Op::SetForegroundWindow) + r.d.calls(Op::BringWindowToTop), 0u);
    }

    // Given up: another window corrected while the count is 0 also has its class excluded.
    const Hwnd zoomedOther = r.addWindow({-20, -20, 1940, 1060}, [](FakeWindow& w) {
      w.zoomed = true;
      w.className = u"Big";
    });
    r.config.switches.TBMAXDisable = false;
    r.engine.Proc_CheckWindow(zoomedOther);
    EXPECT_EQ(r.config.lists.ListBoxD, StringList{u"APP.EXE,Big,"});

    // Another window's verified move resets the state; the stubborn one is tried afresh,
    // and one that answers again is corrected.
    const Hwnd normal =
        r.addWindow({100, 800, 500, 1100}, [](FakeWindow& w) { w.className = u"Normal"; });
    r.engine.Proc_CheckWindow(normal);
    EXPECT_EQ(r.engine.MProcHandle, 0u);
    EXPECT_EQ(r.engine.MProcC, 5);
    r.engine.Proc_CheckWindow(stubborn);
    EXPECT_EQ(r.d.moveLog(stubborn).size(), k.answers ? 7u : 0u);
    EXPECT_EQ(r.engine.MProcHandle, stubborn);
    EXPECT_EQ(r.engine.MProcC, 5);
    r.d.window(stubborn).hung = false;
    r.engine.Proc_CheckWindow(stubborn);
    if (!k.answers) {
      EXPECT_EQ(r.d.rectOf(stubborn), (TRect{100, 0, 500, 400}));
    }
  }
}

TEST(CorrectionRetry, AFailureOfAnotherWindowRestartsTheCount) {
  Rig r;
  const Hwnd a = r.addWindow({100, -30, 500, 370}, [](FakeWindow& w) { w.refusesMoves = true; });
  const Hwnd b = r.addWindow({100, -30, 500, 370}, [](FakeWindow& w) { w.moveOffset = {1, 0}; });
  r.engine.Proc_CheckWindow(a);
  r.engine.Proc_CheckWindow(a);
  ASSERT_EQ(r.engine.MProcC, 4);
  r.engine.Proc_CheckWindow(b);
  EXPECT_EQ(r.engine.MProcHandle, b);
  EXPECT_EQ(r.engine.MProcC, 5);
}

// ---- the move primitive ----

struct MoveCase {
  const char* name;
  int code;
  TRect area;
  bool result;
  std::vector<WindowBox> moves;
};

// The window: 100,100 400x300 on the 1920x1080 monitor; caption buttons 20x20.
const MoveCase kMoveCases[] = {
    {"fit height at top", kFitHeightAtTop, {0, 50, 1920, 950}, true, {{100, 50, 400, 900}}},
    {"fit width at left", kFitWidthAtLeft, {30, 0, 1830, 1040}, true, {{30, 100, 1800, 300}}},
    {"down to top", kMoveDownToTop, {0, 200, 1920, 1040}, true, {{100, 200, 400, 300}}},
    {"up to bottom", kMoveUpToBottom, {0, 0, 1920, 350}, true, {{100, 50, 400, 300}}},
    {"right to left edge", kMoveRightToLeft, {150, 0, 1920, 1040}, true, {{150, 100, 400, 300}}},
    {"left to right edge", kMoveLeftToRight, {0, 0, 450, 1040}, true, {{50, 100, 400, 300}}},
    {"width half", kWidthHalf, {0, 0, 1001, 1040}, true, {{100, 100, 500, 300}}},
    {"width third", kWidthThird, {0, 0, 1000, 1040}, true, {{100, 100, 333, 300}}},
    {"width quarter", kWidthQuarter, {0, 0, 1003, 1040}, true, {{100, 100, 250, 300}}},
    {"height half", kHeightHalf, {0, 0, 1920, 1041}, true, {{100, 100, 400, 520}}},
    {"height third", kHeightThird, {0, 0, 1920, 1040}, true, {{100, 100, 400, 346}}},
    {"height quarter", kHeightQuarter, {0, 0, 1920, 1043}, true, {{100, 100, 400, 260}}},
    // Areas given with their edges swapped still yield positive sizes.
    {"swapped edges", kWidthHalf, {1000, 0, 0, 1040}, true, {{100, 100, 500, 300}}},
    {"unknown code", 6, {0, 0, 1920, 1040}, false, {}},
    {"off every monitor", kMoveRightToLeft, {5000, 0, 6000, 1040}, false, {}},
    {"width of a caption button", kWidthQuarter, {0, 0, 80, 1040}, false, {}},
    {"height of a caption button", kHeightQuarter, {0, 0, 1920, 83}, false, {}},
    {"just wider than a caption button",
     kWidthQuarter,
     {0, 0, 84, 1040},
     true,
     {{100, 100, 21, 300}}},
};

TEST(CorrectionMove, PlacementTableAndRefusals) {
  for (const MoveCase& c : kMoveCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    const Hwnd h = r.addWindow({100, 100, 500, 400});
    EXPECT_EQ(r.engine.Func_MoveWindowTo(h, c.code, c.area), c.result);
    EXPECT_EQ(r.d.moveLog(h), c.moves);
    // Refusals leave the retry state as it was.
    EXPECT_EQ(r.engine.MProcC, c.result ? 5 : 0);
  }
}

TEST(CorrectionMove, AlteredMoveFailsTheReadBack) {
  Rig r;
  const Hwnd h = r.addWindow({100, 100, 500, 400}, [](FakeWindow& w) {
    w.alterMove = [](const WindowBox& b) { return WindowBox{b.Left, b.Top, b.Width, 320}; };
  });
  EXPECT_FALSE(r.engine.Func_MoveWindowTo(h, kMoveDownToTop, {0, 200, 1920, 1040}));
  EXPECT_EQ(r.engine.MProcHandle, h);
  EXPECT_EQ(r.engine.MProcC, 5);
}

TEST(CorrectionMove, GivenUpWindowIsNotMoved) {
  Rig r;
  const Hwnd h = r.addWindow({100, 100, 500, 400});
  r.engine.MProcHandle = h;
  r.engine.MProcC = 0;
  EXPECT_FALSE(r.engine.Func_MoveWindowTo(h, kMoveDownToTop, {0, 200, 1920, 1040}));
  EXPECT_EQ(r.moves(), 0u);
  EXPECT_EQ(r.d.calls(Op::SetForegroundWindow), 0u);
}

TEST(CorrectionMove, VanishedWindowFailsWithoutRecord) {
  Rig r;
  const Hwnd gone = r.addWindow({100, -30, 500, 370}, [](FakeWindow& w) { w.vanishOnMove = true; });
  r.engine.Proc_CheckWindow(gone);
  EXPECT_FALSE(r.d.exists(gone));
  EXPECT_TRUE(r.config.lists.ListBoxE.empty());
  EXPECT_EQ(r.engine.MProcHandle, 0u);
  EXPECT_EQ(r.engine.MProcC, 0);
  EXPECT_FALSE(r.engine.Func_MoveWindowTo(gone, kMoveDownToTop, {0, 0, 1920, 1040}));
}

// ---- allowed areas and monitors ----

struct AreaCase {
  const char* name;
  TWorkAreaEdges area;  // Top, Bottom, Left, Right
  TRect start;
  TRect end;
};

// The work area is 0,0 - 1920,1040; the allowed area replaces it.
const AreaCase kAreaCases[] = {
    {"narrower: held inside the custom area",
     {50, 900, 100, 1800},
     {50, 100, 450, 400},
     {100, 100, 500, 400}},
    {"narrower at the bottom", {50, 900, 100, 1800}, {200, 700, 600, 1000}, {200, 600, 600, 900}},
    {"wider: overhang into the custom margin is allowed",
     {-8, 1048, -8, 1928},
     {-5, -5, 400, 300},
     {-5, -5, 400, 300}},
    {"wider: beyond the custom margin",
     {-8, 1048, -8, 1928},
     {1700, 900, 1940, 1060},
     {1688, 888, 1928, 1048}},
};

TEST(CorrectionAreas, CustomAreaReplacesTheWorkArea) {
  for (const AreaCase& c : kAreaCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.config.tables.MWorkArea[0] = c.area;
    const Hwnd h = r.addWindow(c.start);
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.d.rectOf(h), c.end);
  }
}

struct MonitorCase {
  const char* name;
  std::vector<FakeMonitor> monitors;
  TRect start;
  TRect end;
};

// Left monitor at negative x, the primary in the middle and not first, one above-right.
const std::vector<FakeMonitor> kThreeMonitors = {
    {0, {-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}, false},
    {0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
    {0, {1920, -400, 3200, 624}, {1920, -400, 3200, 600}, false},
};
const std::vector<FakeMonitor> kTwoMonitors = {
    {0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, false},
    {0, {-1280, -1024, 0, 0}, {-1280, -1024, 0, -30}, true},
};

const MonitorCase kMonitorCases[] = {
    {"three: left monitor, out at its left",
     kThreeMonitors,
     {-1950, 100, -1550, 400},
     {-1920, 100, -1520, 400}},
    {"three: left monitor, out at its bottom",
     kThreeMonitors,
     {-1000, 900, -600, 1100},
     {-1000, 840, -600, 1040}},
    {"three: primary, out at the top", kThreeMonitors, {500, -20, 900, 280}, {500, 0, 900, 300}},
    {"three: upper right, out at its top",
     kThreeMonitors,
     {2000, -450, 2400, -150},
     {2000, -400, 2400, -100}},
    {"three: upper right, out at its bottom",
     kThreeMonitors,
     {2000, 500, 2400, 700},
     {2000, 400, 2400, 600}},
    {"three: upper right, out at its right",
     kThreeMonitors,
     {3000, 0, 3300, 300},
     {2900, 0, 3200, 300}},
    {"two: above-left primary, out at its bottom",
     kTwoMonitors,
     {-900, -500, -500, -10},
     {-900, -520, -500, -30}},
    {"two: above-left primary, out at its left",
     kTwoMonitors,
     {-1300, -800, -900, -500},
     {-1280, -800, -880, -500}},
    {"two: first monitor, inside", kTwoMonitors, {10, 10, 400, 400}, {10, 10, 400, 400}},
};

TEST(CorrectionMonitors, EachWindowIsKeptInItsOwnMonitorsArea) {
  for (const MonitorCase& c : kMonitorCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.useMonitors(c.monitors);
    const Hwnd h = r.addWindow(c.start);
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.d.rectOf(h), c.end);
  }
}

TEST(CorrectionMonitors, WindowsOnAMonitorPastTheTableAreLeftAlone) {
  Rig r;
  std::vector<FakeMonitor> many;
  for (int i = 0; i < 11; ++i) {
    const std::int32_t x = i * 800;
    many.push_back({0, {x, 0, x + 800, 800}, {x, 0, x + 800, 760}, i == 0});
  }
  r.useMonitors(many);
  ASSERT_EQ(r.monitors.count(), 11);
  const Hwnd tenth = r.addWindow({7300, 600, 7700, 900});     // index 9: corrected
  const Hwnd eleventh = r.addWindow({8100, 600, 8500, 900});  // index 10
  r.engine.Proc_CheckWindow(tenth);
  r.engine.Proc_CheckWindow(eleventh);
  EXPECT_EQ(r.d.rectOf(tenth), (TRect{7300, 460, 7700, 760}));
  EXPECT_EQ(r.d.rectOf(eleventh), (TRect{8100, 600, 8500, 900}));
  EXPECT_EQ(r.moves(), 1u);
}

// A monitor attached after the list was read: its windows get its own area once the
// tables know it, and no other monitor's area before.
TEST(CorrectionMonitors, AWindowOnANewlyAttachedMonitor) {
  struct Case {
    const char* name;
    bool tablesRebuilt;
    TRect end;
  } cases[] = {
      {"tables not rebuilt yet: left alone", false, {2000, 900, 2400, 1100}},
      {"tables rebuilt: its own area", true, {2000, 784, 2400, 984}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.d.addMonitor({0, {1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false});
    if (c.tablesRebuilt) {
      r.config.tables.GMonitorCount = 2;
      r.config.tables.MWorkArea[1] = {0, 984, 1920, 3200};
    }
    const Hwnd h = r.addWindow({2000, 900, 2400, 1100});
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.d.rectOf(h), c.end);
  }
}

}  // namespace
}  // namespace rimfold

namespace rimfold {
namespace {

// ---- what a check asks ----

// Every test only reads, so a check may ask in any order; these rows hold it to the one that
// costs least without changing a verdict: the filter only for a window that would be moved,
// the program path only once the other tests have passed.
struct AskCase {
  const char* name;
  TRect rect;
  std::function<void(FakeWindow&, Rig&)> setUp;
  bool moved;
  bool filtered;    // the filter was asked (its first test reads the mouse buttons)
  bool identified;  // the program's path was looked up
  bool monitorsReread = false;
};

const auto kExcludeApp = [](FakeWindow&, Rig& r) { r.config.lists.ListBoxD = {kProgramKey}; };
// A monitor attached at the right after the list was read, its area not yet in the tables.
const auto kOnNewMonitor = [](FakeWindow&, Rig& r) {
  r.d.addMonitor({0, {1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false});
};

const AskCase kAskCases[] = {
    {"inside", {100, 100, 500, 400}, {}, false, false, false},
    {"excluded, inside", {100, 100, 500, 400}, kExcludeApp, false, false, false},
    {"excluded, sticking out", {100, -30, 500, 370}, kExcludeApp, false, true, true},
    {"sticking out", {100, -30, 500, 370}, {}, true, true, true},
    {"sticking out, bare popup",
     {100, -30, 500, 370},
     [](FakeWindow& w, Rig&) { w.style = kWsPopup; },
     false,
     true,
     false},
    {"maximized within its frame",
     {-4, -4, 1924, 1044},
     [](FakeWindow& w, Rig& r) {
       w.zoomed = true;
       r.config.switches.TBMAXDisable = false;
     },
     false,
     false,
     false},
    // The filter in its own order there: the monitors are read again only for a window that
    // passed the tests before the full-screen one, exclusion among them.
    {"excluded, on a monitor the list does not know",
     {3000, 900, 3400, 1100},
     [](FakeWindow& w, Rig& r) {
       kExcludeApp(w, r);
       kOnNewMonitor(w, r);
     },
     false,
     true,
     true,
     false},
    {"on a monitor the list does not know",
     {3000, 900, 3400, 1100},
     kOnNewMonitor,
     false,
     true,
     true,
     true},
};

TEST(CorrectionCost, TheFilterAndTheIdentityOnlyWhereTheyDecide) {
  for (const AskCase& c : kAskCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    FakeWindow w;
    w.rect = c.rect;
    w.processId = kPid;
    if (c.setUp) c.setUp(w, r);
    const Hwnd h = r.d.addWindow(w);
    r.d.resetCalls();
    r.engine.Proc_CheckWindow(h);
    EXPECT_EQ(r.moves() > 0, c.moved);
    EXPECT_EQ(r.config.lists.ListBoxE.empty(), !c.moved);
    EXPECT_EQ(r.d.calls(Op::GetAsyncKeyState) > 0, c.filtered);
    EXPECT_EQ(r.d.calls(Op::OpenProcess) > 0, c.identified);
    EXPECT_EQ(r.d.calls(Op::EnumDisplayMonitors) > 0, c.monitorsReread);
    // Within one check each question about the window is asked once; only the move
    // primitive reads the rectangle again, before and after each move.
    for (const Op op : {Op::IsWindowVisible, Op::GetWindowTextLength, Op::GetWindowText,
                        Op::GetClassName, Op::IsIconic, Op::IsZoomed, Op::IsWindowEnabled,
                        Op::GetStyle, Op::MonitorFromWindow, Op::GetMonitorInfo, Op::OpenProcess}) {
      EXPECT_LE(r.d.calls(op), 1u) << static_cast<int>(op);
    }
  }
}

TEST(CorrectionCost, AProgramPathServesOneSweep) {
  Rig r;
  const Hwnd a = r.addWindow({100, -30, 500, 370});
  const Hwnd b = r.addWindow({600, -30, 900, 370}, [](FakeWindow& w) { w.className = u"Other"; });
  {
    const CorrectionEngine::Sweep sweep(r.engine);
    r.engine.Proc_CheckWindow(a);
    r.engine.Proc_CheckWindow(b);
  }
  EXPECT_EQ(r.d.calls(Op::OpenProcess), 1u);
  EXPECT_EQ(r.config.lists.ListBoxE[0], u"APP.EXE,Other,Window");

  // Between sweeps the process ends and its id goes to another program.
  FakeProcess other;
  other.moduleFileName = u"C:\\Apps\\other.exe";
  r.d.setProcess(kPid, other);
  r.d.window(a).rect = {100, -30, 500, 370};
  {
    const CorrectionEngine::Sweep sweep(r.engine);
    r.engine.Proc_CheckWindow(a);
  }
  EXPECT_EQ(r.config.lists.ListBoxE[0], u"OTHER.EXE,FakeClass,Window");
}

}  // namespace
}  // namespace rimfold
