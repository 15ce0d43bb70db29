#include "widgets/model/simple_timer.h"

#include <gtest/gtest.h>

#include <memory>

#include "fake_timer_window.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeTimerWindow;

struct TimerRig {
  FakeDesktop d;
  FakeTimerWindow window{d};
  int ticks = 0;
  TNotifyEvent counter() {
    return [this](TSimpleTimer&) { ++ticks; };
  }
};

TEST(SimpleTimer, EnablingArmsOnlyWithAnInterval) {
  struct Case {
    const char* name;
    std::uint32_t interval;
    bool expectEnabled;
    int expectActive;
  } cases[] = {
      {"interval 100", 100, true, 1},
      {"interval 0 starts nothing", 0, false, 0},
  };
  for (const auto& c : cases) {
    TimerRig r;
    TSimpleTimer t(c.interval, r.counter());
    t.setEnabled(true);
    EXPECT_EQ(t.Enabled(), c.expectEnabled) << c.name;
    EXPECT_EQ(r.window.running(t.Id()), c.expectEnabled) << c.name;
    EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, c.expectActive) << c.name;
    r.window.run(350);
    EXPECT_EQ(r.ticks, c.expectEnabled ? 3 : 0) << c.name;
  }
}

TEST(SimpleTimer, IntervalChangeRestartsThePeriod) {
  TimerRig r;
  TSimpleTimer t(100, r.counter());
  t.setEnabled(true);
  r.window.run(90);
  t.setInterval(50);  // from now: ticks at +50, +100
  r.window.run(49);
  EXPECT_EQ(r.ticks, 0);
  r.window.run(1);
  EXPECT_EQ(r.ticks, 1);
  r.window.run(50);
  EXPECT_EQ(r.ticks, 2);
  EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 1);
}

TEST(SimpleTimer, IntervalZeroOrNoEventKeepsItEnabledWithoutASystemTimer) {
  struct Case {
    const char* name;
    bool clearEvent;  // else interval 0
  } cases[] = {{"interval 0", false}, {"empty OnTimer", true}};
  for (const auto& c : cases) {
    TimerRig r;
    TSimpleTimer t(100, r.counter());
    t.setEnabled(true);
    if (c.clearEvent) {
      t.setOnTimer(nullptr);
    } else {
      t.setInterval(0);
    }
    EXPECT_TRUE(t.Enabled()) << c.name;
    EXPECT_FALSE(r.window.running(t.Id())) << c.name;
    EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 0) << c.name;
    if (!c.clearEvent) {
      t.setInterval(40);  // a usable interval starts it again
      EXPECT_TRUE(r.window.running(t.Id())) << c.name;
      r.window.run(40);
      EXPECT_EQ(r.ticks, 1) << c.name;
    }
  }
}

TEST(SimpleTimer, AutoDisableTicksOncePerEnabling) {
  TimerRig r;
  TSimpleTimer t(30, r.counter());
  t.AutoDisable = true;
  t.setEnabled(true);
  r.window.run(200);
  EXPECT_EQ(r.ticks, 1);
  EXPECT_FALSE(t.Enabled());
  t.setEnabled(true);
  r.window.run(200);
  EXPECT_EQ(r.ticks, 2);
  EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 0);
}

TEST(SimpleTimer, DisablingStopsTicksAndCountsDown) {
  TimerRig r;
  TSimpleTimer a(10, r.counter());
  TSimpleTimer b(10, r.counter());
  a.setEnabled(true);
  b.setEnabled(true);
  a.setEnabled(true);  // re-arming does not count twice
  EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 2);
  a.setEnabled(false);
  EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 1);
  r.window.run(30);
  EXPECT_EQ(r.ticks, 3);  // b only
}

// A WM_TIMER still queued from before the stop reaches the handler: it must not tick.
TEST(SimpleTimer, AQueuedTickAfterTheStopIsDropped) {
  TimerRig r;
  TSimpleTimer a(10, r.counter());
  a.setEnabled(true);
  a.setEnabled(false);
  TSimpleTimerHandler::instance()->HandleTimer(a.Id());
  EXPECT_EQ(r.ticks, 0);
}

TEST(SimpleTimer, TheLastTimerFreesTheSharedHandler) {
  TimerRig r;
  EXPECT_EQ(TSimpleTimerHandler::instance(), nullptr);
  auto a = std::make_unique<TSimpleTimer>();
  auto b = std::make_unique<TSimpleTimer>(10, r.counter());
  EXPECT_EQ(a->Interval(), 1000u);
  EXPECT_EQ(r.window.created, 1);
  EXPECT_EQ(TSimpleTimerHandler::instance()->RefCount(), 2);
  b->setEnabled(true);
  const std::uintptr_t staleId = b->Id();
  b.reset();  // freed while running: disarmed first
  EXPECT_FALSE(r.window.running(staleId));
  EXPECT_EQ(TSimpleTimerHandler::instance()->RefCount(), 1);
  EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 0);
  TSimpleTimerHandler::instance()->HandleTimer(staleId);  // a late tick is dropped
  EXPECT_EQ(r.ticks, 0);
  a.reset();
  EXPECT_EQ(TSimpleTimerHandler::instance(), nullptr);
  EXPECT_EQ(r.window.destroyed, 1);
  TSimpleTimer again;
  EXPECT_NE(TSimpleTimerHandler::instance(), nullptr);
  EXPECT_EQ(r.window.created, 2);
}

TEST(SimpleTimer, AFailedSetTimerLeavesItIdle) {
  TimerRig r;
  r.window.setFails = true;
  TSimpleTimer t(10, r.counter());
  t.setEnabled(true);
  EXPECT_FALSE(t.Enabled());
  EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 0);
}

}  // namespace
}  // namespace rimfold
