#include "workarea/work_area_watch.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeWindow;

constexpr std::uint32_t kPid = 1000;
const TWorkAreaEdges kFullHdWork{0, 1040, 0, 1920};
const TWorkAreaEdges kTallerTaskbar{0, 1000, 0, 1920};
const std::u16string kHeader =
    u"作業領域の大きさに変更がありました。\r\n作業領域を再設定しますか？\r\n";

// Records what the watch asks of the forms, in order.
// The polling timer is the host; the question's timer logs its start with its interval.
struct WatchHost final : IWorkAreaDialog, IRunState, ITimer {
  struct CheckTimer final : ITimer {
    explicit CheckTimer(WatchHost& h) : host(h) {}
    bool Enabled() const override { return on; }
    void setEnabled(bool enable) override {
      on = enable;
      host.log.push_back(on ? "check timer " + std::to_string(interval) : "check timer off");
    }
    void setInterval(std::uint32_t ms) override { interval = ms; }
    WatchHost& host;
    bool on = false;
    std::uint32_t interval = 0;
  };

  bool nonResident() override { return false; }
  bool stopChecked() override { return stop; }
  bool dispDialogChecked() override { return true; }
  void setTrayEnabled(bool on) override { log.push_back(on ? "tray on" : "tray off"); }
  bool Enabled() const override { return false; }
  void setEnabled(bool on) override { log.push_back(on ? "timer on" : "timer off"); }
  void setInterval(std::uint32_t) override {}
  Hwnd dialogWindow() override { return dialog; }
  void refreshEdgeCaptions() override { log.push_back("captions"); }
  void showWorkAreaPage() override {
    log.push_back("work-area page");
    if (pageFails) throw std::runtime_error("page");
  }

  bool stop = false;
  bool pageFails = false;
  Hwnd dialog = 0;
  std::vector<std::string> log;
  CheckTimer check{*this};
};

// One 1920 x 1080 monitor whose work area and setting agree; an application window in
// front; the hidden dialog; notification on.
struct Rig {
  Rig() {
    d.setMonitors({{0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true}});
    monitors.refresh();
    config.tables.GMonitorCount = 1;
    config.tables.MDesktop[0] = config.tables.MWorkArea[0] = kFullHdWork;
    config.watch.CHKMessage = true;
    d.setProcess(kPid, {.moduleFileName = u"C:\\Apps\\app.exe"});
    host.dialog = d.addWindow({.title = u"Rimfold", .className = u"TConfigForm", .visible = false});
    front = d.addWindow({.processId = kPid});
    d.setForeground(front);
  }
  // The taskbar grows by 40 pixels.
  void changeWorkArea() { d.setWorkArea(d.monitors()[0].handle, {0, 0, 1920, 1000}); }
  bool boxShown() const { return !d.messageBoxLog().empty(); }

  FakeDesktop d;
  Platform p{d.platform()};
  ProgramState config;
  MonitorList monitors{d};
  WatchHost host;
  WorkAreaWatch watch{p,        config.watch, config.tables,           config.lists,
                      monitors, host,         {host, host, host.check}};
  Hwnd front = 0;
};

TEST(WorkAreaWatch, TheForegroundWindowDecidesWhetherToCheck) {
  using SetUp = std::function<void(Rig&, FakeWindow&)>;
  const auto popupCovering = [](std::int32_t right) -> SetUp {
    return [right](Rig&, FakeWindow& w) {
      w.style = kWsPopup | kWsSysMenu;
      w.rect = {0, 0, right, 1080};
    };
  };
  struct Case {
    const char* name;
    SetUp setUp;
    bool checked;
  };
  const Case cases[] = {
      {"an ordinary window", [](Rig&, FakeWindow&) {}, true},
      {"screen saver", [](Rig& r, FakeWindow&) { r.d.setScreenSaverRunning(true); }, false},
      {"no foreground window", [](Rig& r, FakeWindow&) { r.d.setForeground(0); }, false},
      {"excluded", [](Rig& r, FakeWindow&) { r.config.lists.ListBoxD = {u"app.exe,"}; }, false},
      {"topmost", [](Rig&, FakeWindow& w) { w.exStyle = kWsExTopmost; }, false},
      {"disabled", [](Rig&, FakeWindow& w) { w.enabled = false; }, false},
      {"bare style", [](Rig&, FakeWindow& w) { w.style = kWsPopup; }, false},
      {"full screen without a sizing frame", popupCovering(1920), false},
      {"one pixel short of full screen", popupCovering(1919), true},
      {"maximized sizable window over the whole screen",
       [](Rig&, FakeWindow& w) {
         w.zoomed = true, w.rect = {-4, -4, 1924, 1084};
       },
       true},
      {"the desktop", [](Rig& r, FakeWindow&) { r.d.setForeground(FakeDesktop::kDesktopHwnd); },
       true},
      // Not a target window (minimized): its topmost style vetoes nothing.
      {"minimized topmost", [](Rig&, FakeWindow& w) { w.iconic = true, w.exStyle = kWsExTopmost; },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    c.setUp(r, r.d.window(r.front));
    r.changeWorkArea();
    EXPECT_EQ(r.watch.Func_CheckDesktop(true), c.checked);
    EXPECT_EQ(r.boxShown(), c.checked);
    EXPECT_EQ(r.config.tables.MDesktop[0], c.checked ? kTallerTaskbar : kFullHdWork);
  }
}

// Only a work-area change raises the flag; the tick lowers it and checks once.
TEST(WorkAreaWatch, TheFlagFromTheDialogStartsOneCheck) {
  for (const std::uintptr_t action : {kSpiSetWorkArea, std::uintptr_t{0x25}}) {
    Rig r;
    r.changeWorkArea();
    noteSettingChange(r.config.watch, action);
    EXPECT_EQ(r.watch.checkIfFlagged(), action == kSpiSetWorkArea);
    EXPECT_FALSE(r.watch.checkIfFlagged());
    EXPECT_EQ(r.d.messageBoxLog().size(), action == kSpiSetWorkArea ? 1u : 0u);
  }
}

// Asked only with notification on and not stopped; v false compares nothing and shows the
// two header lines; a change to exactly the user's setting is taken in silently.
TEST(WorkAreaWatch, WhenToAsk) {
  struct Case {
    const char* name;
    bool v, change, toSetting, message, stop;
    bool asked, result;
  };
  const Case cases[] = {
      {"change", true, true, false, true, false, true, true},
      {"change, notification off", true, true, false, false, false, false, true},
      {"change while stopped", true, true, false, true, true, false, true},
      {"change to the setting", true, true, true, true, false, false, false},
      {"no change", true, false, false, true, false, false, false},
      {"after a display change", false, true, false, true, false, true, true},
      {"after a display change, notification off", false, true, false, false, false, false, true},
      {"after a display change while stopped", false, false, false, true, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.config.watch.CHKMessage = c.message;
    r.host.stop = c.stop;
    if (c.toSetting) r.config.tables.MWorkArea[0] = kTallerTaskbar;
    if (c.change) r.changeWorkArea();
    r.d.scriptMessageBox({.answer = kIdNo});
    EXPECT_EQ(r.watch.Func_CheckDesktop(c.v), c.result);
    EXPECT_EQ(r.boxShown(), c.asked);
    EXPECT_EQ(r.config.tables.MDesktop[0], c.v && c.change ? kTallerTaskbar : kFullHdWork);
    if (c.asked && !c.v) {
      EXPECT_EQ(r.d.messageBoxLog()[0].text, kHeader);
    }
  }
}

// A 40-pixel taskbar appears at the bottom of a monitor whose setting is the whole screen.
TEST(WorkAreaWatch, AChangeIsAskedAboutOnceWithOldAndNewEdges) {
  Rig r;
  r.config.tables.MDesktop[0] = r.config.tables.MWorkArea[0] = {0, 1080, 0, 1920};
  r.d.setWorkArea(r.d.monitors()[0].handle, {0, 0, 1920, 1040});

  EXPECT_TRUE(r.watch.Func_CheckDesktop(true));
  ASSERT_EQ(r.d.messageBoxLog().size(), 1u);
  const test::MessageBoxCall& box = r.d.messageBoxLog()[0];
  EXPECT_EQ(box.text, kHeader +
                          u"\r\nモニタ #1\r\n[作業領域] [(0,0)-(1040,1920)]"
                          u"\r\n[設定値] [(0,0)-(1080,1920)]");
  EXPECT_EQ(box.captions, std::vector<std::u16string>{u"Rimfold - 作業領域の確認"});
  EXPECT_EQ(box.style, 0x1034u);
  EXPECT_EQ(box.owner, r.host.dialog);
  // The comparison refreshed the page's captions before anything was shown.
  EXPECT_EQ(r.host.log.front(), "captions");

  EXPECT_FALSE(r.watch.Func_CheckDesktop(true));
  EXPECT_EQ(r.d.messageBoxLog().size(), 1u);
}

// A stand-in for the old work area that the user keeps by answering No is the user's
// setting from then on (it is saved under the new area's section); Yes leaves it a stand-in.
TEST(WorkAreaWatch, NoKeepsAStandInAsTheUsersSetting) {
  for (const int answer : {kIdNo, kIdYes}) {
    Rig r;
    r.config.tables.MDesktop[0] = r.config.tables.MWorkArea[0] = {0, 1080, 0, 1920};
    r.config.tables.standIn[0] = true;
    r.d.setWorkArea(r.d.monitors()[0].handle, {0, 0, 1920, 1040});
    r.d.scriptMessageBox({.answer = answer});
    r.watch.Func_CheckDesktop(true);
    EXPECT_EQ(r.config.tables.standIn[0], answer == kIdYes) << answer;
  }
}

// Left of the primary at negative coordinates, the primary, one to the right. The middle
// one does not change; the other two follow directly one after the other.
TEST(WorkAreaWatch, TwoChangedMonitorsAreListedInIndexOrder) {
  Rig r;
  r.d.setMonitors({{0, {-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, false},
                   {0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
                   {0, {1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false}});
  r.monitors.refresh();
  r.config.tables.MDesktop[0] = r.config.tables.MWorkArea[0] = {0, 1024, -1280, 0};
  r.config.tables.MDesktop[1] = r.config.tables.MWorkArea[1] = kFullHdWork;
  r.config.tables.MDesktop[2] = {0, 984, 1920, 3200};  // its taskbar has just been set to hide
  r.config.tables.MWorkArea[2] = {-5, 1029, 1915, 3205};

  EXPECT_TRUE(r.watch.Func_CheckDesktop(true));
  EXPECT_EQ(r.config.tables.GMonitorCount, 3);
  ASSERT_EQ(r.d.messageBoxLog().size(), 1u);
  EXPECT_EQ(r.d.messageBoxLog()[0].text,
            kHeader +
                u"\r\nモニタ #1\r\n[作業領域] [(0,-1280)-(984,0)]\r\n[設定値] [(0,-1280)-(1024,0)]"
                u"\r\nモニタ #3\r\n[作業領域] [(0,1920)-(1024,3200)]"
                u"\r\n[設定値] [(-5,1915)-(1029,3205)]");
}

// Yes opens the page before the timer resumes; unanswered, TimerCheck presses No.
TEST(WorkAreaWatch, TheAnswer) {
  struct Case {
    const char* name;
    bool timerFires;
    int result;
    std::vector<std::string> log;
  };
  const std::vector<std::string> before{"captions", "tray off", "timer off", "check timer 10000"};
  const Case cases[] = {
      {"yes", false, kIdYes, {"work-area page", "check timer off", "tray on", "timer on"}},
      {"no answer", true, kIdNo, {"check timer off", "check timer off", "tray on", "timer on"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.changeWorkArea();
    r.d.scriptMessageBox({.whileOpen =
                              [&](Hwnd) {
                                if (c.timerFires) r.watch.TimerCheckTimer();
                              },
                          .answer = kIdYes});
    r.watch.Func_CheckDesktop(true);
    EXPECT_EQ(r.d.messageBoxLog()[0].result, c.result);
    std::vector<std::string> expected = before;
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(r.host.log, expected);
    EXPECT_TRUE(r.d.keybdLog().empty());
  }
}

// A display change handled inside the box's loop asks again: no second box, but the tray
// and the timer come back as after any question.
TEST(WorkAreaWatch, ANestedQuestionFindsTheOpenBoxAndLeavesItAlone) {
  Rig r;
  r.changeWorkArea();
  std::vector<std::string> inner;
  r.d.scriptMessageBox({.whileOpen =
                            [&](Hwnd) {
                              r.host.log.clear();
                              r.watch.Func_CheckDesktop(false);
                              inner = r.host.log;
                            },
                        .answer = kIdNo});
  r.watch.Func_CheckDesktop(true);
  EXPECT_EQ(r.d.messageBoxLog().size(), 1u);
  // It changes nothing: the open question keeps its timer, which answers it by itself.
  EXPECT_EQ(inner, std::vector<std::string>{});
}

TEST(WorkAreaWatch, AFailureAfterYesStillRestoresTrayAndTimers) {
  Rig r;
  r.changeWorkArea();
  r.host.pageFails = true;
  r.d.scriptMessageBox({.answer = kIdYes});
  EXPECT_THROW(r.watch.Func_CheckDesktop(true), std::runtime_error);
  const std::vector<std::string> tail(r.host.log.end() - 3, r.host.log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"check timer off", "tray on", "timer on"}));
}

}  // namespace
}  // namespace rimfold
