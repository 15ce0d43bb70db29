#include "display/display_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"
#include "rtl/text_utils.h"

namespace rimfold {
namespace {

using test::FakeMessageBox;
using test::FakeMonitor;
using Log = std::vector<std::string>;

const FakeMonitor kPrimary{0, {0, 0, 1920, 1080}, {0, 0, 1920, 1060}, true};

// Records what the handling asks of the main form and the dialog, in order.
// The host is the polling timer too; the countdown's timer logs through it.
struct DisplayHost final : IDisplayChangeHost, IMonitorPage, IRunState, IHookSwitch, ITimer {
  struct Countdown final : ITimer {
    explicit Countdown(DisplayHost& h) : host(h) {}
    bool Enabled() const override { return host.countdown; }
    void setEnabled(bool on) override { host.note(host.countdown = on, "countdown"); }
    void setInterval(std::uint32_t ms) override {
      host.log.push_back("countdown " + std::to_string(ms) + " ms");
    }
    DisplayHost& host;
  };

  bool nonResident() override { return oneShot; }
  bool stopChecked() override { return false; }
  Hwnd mainWindow() override { return main; }
  bool dispDialogChecked() override { return dialog; }
  bool Enabled() const override { return timer; }
  void setEnabled(bool on) override { note(timer = on, "timer"); }
  void setInterval(std::uint32_t) override {}
  void setTrayEnabled(bool on) override { note(tray = on, "tray"); }
  bool hookInstalled() const override { return hook; }
  void Proc_UnhookEvent() override { hook = false, log.push_back("unhook"); }
  void Proc_SetEventHook() override { hook = true, log.push_back("hook"); }
  void Proc_MonitorInitial() override { step("monitor initial"); }
  bool configCheckDesktop(bool v) override { return step(v ? "check true" : "check false"); }
  void layoutSettled() override { step("layout settled"); }

  void note(bool on, const std::string& what) { log.push_back(what + (on ? " on" : " off")); }
  bool step(const std::string& what) {
    log.push_back(what);
    if (failAt == what) throw std::runtime_error(what);
    return true;
  }
  long count(const std::string& s) const { return std::count(log.begin(), log.end(), s); }

  bool oneShot = false, dialog = true, hook = true, tray = true, timer = true, countdown = false;
  Hwnd main = 0;
  std::string failAt;
  Log log;
  Countdown countdownTimer{*this};
};

// One monitor, as seen at start; the hidden main form on it. A second one is attached.
struct Rig {
  Rig() {
    d.setMonitors({kPrimary});
    monitors.refresh();
    host.main = d.addWindow({.visible = false});
    dc.Func_ScreenChanged();
    d.addMonitor({0, {1920, 0, 3200, 1024}, {1920, 0, 3200, 984}, false});
  }
  // The countdown ticks once a second while the box is up, at most `ticks` times.
  FakeMessageBox countdown(int ticks = 100, int answer = 0) {
    return {.whileOpen =
                [this, ticks](Hwnd box) {
                  host.log.push_back("box");
                  for (int i = 0; i < ticks && d.exists(box); ++i) {
                    d.advance(1000);
                    dc.TimerDispChangeTimer();
                  }
                },
            .answer = answer};
  }

  test::FakeDesktop d;
  Platform p{d.platform()};
  MonitorList monitors{d};
  DisplayHost host;
  DisplayChange dc{p, monitors, host, host, {host, host, host, host.countdownTimer}};
};

std::vector<std::u16string> captions(int from, int to) {
  std::vector<std::u16string> out;
  for (int n = from; n >= to; --n) out.push_back(u"Rimfold - (" + toDecimal(n) + u"秒)");
  return out;
}

TEST(ScreenChanged, AnyOfTheFiveMetricsCountsAndAllAreStored) {
  for (int metric : {kSmCMonitors, kSmYVirtualScreen, kSmXVirtualScreen, kSmCxVirtualScreen,
                     kSmCyVirtualScreen}) {
    SCOPED_TRACE(metric);
    Rig r;
    r.dc.Func_ScreenChanged();  // takes in the attached monitor
    EXPECT_FALSE(r.dc.Func_ScreenChanged());
    r.d.setSystemMetric(metric, 7);
    EXPECT_TRUE(r.dc.Func_ScreenChanged());
    EXPECT_FALSE(r.dc.Func_ScreenChanged());
  }
  Rig r;
  r.d.setMonitors({kPrimary, {0, {-1280, -200, 0, 824}, {}, false}});
  EXPECT_TRUE(r.dc.Func_ScreenChanged());
  EXPECT_EQ(r.dc.MScreenB, (ScreenSnapshot{2, -200, -1280, 3200, 1280}));
}

TEST(DisplayChange, TheSameLayoutAgainDoesNothing) {
  Rig r;
  r.dc.Func_ScreenChanged();
  r.dc.WMDisplayChange();
  EXPECT_TRUE(r.host.log.empty());
  EXPECT_TRUE(r.d.messageBoxLog().empty());
}

TEST(DisplayChange, PausesCountsDownConfirmsAtZeroAndResumes) {
  Rig r;
  r.d.scriptMessageBox(r.countdown());
  r.dc.WMDisplayChange();
  EXPECT_EQ(r.host.log, (Log{"timer off", "tray off", "unhook", "countdown 1000 ms", "countdown on",
                             "box", "countdown off", "countdown off", "monitor initial",
                             "check false", "layout settled", "tray on", "timer on", "hook"}));
  ASSERT_EQ(r.d.messageBoxLog().size(), 1u);
  const test::MessageBoxCall& box = r.d.messageBoxLog()[0];
  EXPECT_EQ(box.text, u"モニタ表示の状態が安定したら[OK]をクリックしてください。");
  EXPECT_EQ(box.style, 0x1040u);
  EXPECT_EQ(box.owner, 0u);  // not the hidden main form
  EXPECT_EQ(box.captions, captions(10, 0));
  EXPECT_EQ(box.result, kIdOk);
  EXPECT_EQ(r.d.nowMilliseconds(), 10000);
  EXPECT_TRUE(r.d.keybdLog().empty());
  // The long-lived list knew the new monitor before the tables were rebuilt.
  EXPECT_EQ(r.monitors.count(), 2);
}

TEST(DisplayChange, AnEarlyOkEndsThePauseAndALateTickOnlyStopsTheTimer) {
  Rig r;
  r.d.scriptMessageBox(r.countdown(3, kIdOk));
  r.dc.WMDisplayChange();
  EXPECT_EQ(r.d.messageBoxLog()[0].captions, captions(10, 7));
  EXPECT_EQ(r.host.log.back(), "hook");
  r.host.countdown = true;  // a tick queued before the box closed
  r.dc.TimerDispChangeTimer();
  EXPECT_FALSE(r.host.countdown);
  EXPECT_EQ(r.dc.MTimerDispChangeC, 7);
}

TEST(DisplayChange, WithoutTheDialogTwentyHalfSecondSleeps) {
  Rig r;
  r.host.dialog = false;
  r.dc.WMDisplayChange();
  EXPECT_TRUE(r.d.messageBoxLog().empty());
  EXPECT_EQ(r.d.sleepLog(), std::vector<std::uint32_t>(20, 500));
  EXPECT_EQ(r.host.count("countdown on"), 0);
  EXPECT_EQ(r.host.log.back(), "hook");
}

// Two seconds into the countdown the second monitor goes again: the first box is closed,
// a new one counts from 10, and the tables are read after each.
TEST(DisplayChange, ANestedChangeReplacesTheBox) {
  Rig r;
  r.d.scriptMessageBox({.whileOpen = [&](Hwnd box) {
    r.dc.TimerDispChangeTimer();
    r.dc.TimerDispChangeTimer();
    r.d.removeMonitor(r.d.monitors()[1].handle);
    r.dc.WMDisplayChange();
    r.host.log.push_back(r.d.exists(box) ? "first box open" : "first box closed");
  }});
  r.d.scriptMessageBox(r.countdown());
  r.dc.WMDisplayChange();
  ASSERT_EQ(r.d.messageBoxLog().size(), 2u);
  EXPECT_EQ(r.d.messageBoxLog()[0].captions, captions(10, 8));
  EXPECT_EQ(r.d.messageBoxLog()[1].captions, captions(10, 0));
  EXPECT_EQ(r.host.count("first box closed"), 1);
  EXPECT_EQ(r.host.count("monitor initial"), 2);
  EXPECT_EQ(r.host.count("unhook"), 1);
  EXPECT_EQ(r.host.count("hook"), 1);
  EXPECT_EQ(r.monitors.count(), 1);
}

TEST(DisplayChange, OnlyTheResidentModeTouchesTheHook) {
  struct Case {
    const char* name;
    bool oneShot, hookBefore;
    long unhooks, hooks;
  } cases[] = {{"resident", false, true, 1, 1},
               {"resident, hook lost before", false, false, 0, 1},
               {"non-resident", true, false, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.host.oneShot = c.oneShot;
    r.host.hook = c.hookBefore;
    r.dc.WMDisplayChange();
    EXPECT_EQ(r.host.count("unhook"), c.unhooks);
    EXPECT_EQ(r.host.count("hook"), c.hooks);
  }
}

TEST(DisplayChange, AFailedStepRestoresTrayTimerAndHookAndPropagates) {
  for (const char* step : {"monitor initial", "check false", "layout settled"}) {
    SCOPED_TRACE(step);
    Rig r;
    r.host.failAt = step;
    EXPECT_THROW(r.dc.WMDisplayChange(), std::runtime_error);
    EXPECT_TRUE(r.host.tray && r.host.timer && r.host.hook);
    EXPECT_FALSE(r.host.countdown);
  }
}

}  // namespace
}  // namespace rimfold
