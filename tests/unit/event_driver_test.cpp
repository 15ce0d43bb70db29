#include "engine/event_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeProcess;
using test::FakeWindow;
using test::Op;

constexpr std::uint32_t kWsChild = 0x40000000u;
constexpr TPoint kOverNothing{1500, 900};

// The program around the driver, its polling timer included.
struct TestHost final : IDriverHost, IRunState, ITimer {
  explicit TestHost(FakeDesktop& desktop) : d(desktop) {}
  bool nonResident() override { return oneShot; }
  bool stopChecked() override { return stop; }
  bool dispDialogChecked() override { return false; }
  void setTrayEnabled(bool) override {}
  bool Enabled() const override { return !timer.empty() && timer.back(); }
  void setEnabled(bool on) override { timer.push_back(on); }
  void setInterval(std::uint32_t) override {}
  bool checkDesktopIfFlagged() override {
    ++checks;
    return checkEndsTick;
  }
  void dragEnded(Hwnd w) override { drags.push_back(w); }
  void closeMainForm() override {
    ++closes;
    sleepsAtClose = d.sleepLog().size();
  }
  WindowReturn* windowReturn() override { return places; }
  void postEarlyTick(std::uint32_t delayMs) override { early.push_back(delayMs); }

  FakeDesktop& d;
  bool oneShot = false;
  bool stop = false;
  bool checkEndsTick = false;
  std::vector<bool> timer;
  int checks = 0;
  std::vector<Hwnd> drags;
  int closes = 0;
  std::size_t sleepsAtClose = 0;
  WindowReturn* places = nullptr;
  std::vector<std::uint32_t> early;  // the delays of the early ticks asked for
};

struct Rig {
  Rig() {
    d.setSystemMetric(kSmCxSize, 20);
    d.setSystemMetric(kSmCySize, 20);
    FakeProcess app;
    app.moduleFileName = u"C:\\Apps\\app.exe";
    d.setProcess(1000, app);
    monitors.refresh();
    config.tables.GMonitorCount = monitors.count();
    MonitorInfo info;
    monitors.info(0, info);
    config.tables.MWorkArea[0] = {info.work.Top, info.work.Bottom, info.work.Left, info.work.Right};
    d.setCursorPos(kOverNothing);
  }

  Hwnd addWindow(const TRect& r, const std::function<void(FakeWindow&)>& tweak = {}) {
    FakeWindow w;
    w.rect = r;
    w.placeAtBottom = true;
    if (tweak) tweak(w);
    return d.addWindow(w);
  }

  // A tick that reports whether it swept: only a sweep enumerates in Z-order.
  bool tick() {
    const std::uint64_t before = d.calls(Op::EnumWindows);
    driver.TimerTimer();
    return d.calls(Op::EnumWindows) - before == 1;
  }

  bool corrected(Hwnd w) const { return !d.moveLog(w).empty(); }

  FakeDesktop d;
  Platform p{d.platform()};
  ProgramState config;
  MonitorList monitors{d};
  CorrectionEngine engine{p, config.lists, config.switches, config.tables, monitors};
  TestHost host{d};
  EventDriver driver{p, engine, host, host, host};
};

// ---- the hook ----

struct HookCase {
  const char* name;
  std::uint32_t event;
  Hwnd expectedEventWnd;  // with the window 42 and EventWnd 7 before
  bool foregroundFlag;
  bool moveSizeFlag;
};

const HookCase kHookCases[] = {
    {"foreground", kEventSystemForeground, 42, true, false},
    {"move/size end", kEventSystemMoveSizeEnd, 42, false, true},
    {"location change", kEventObjectLocationChange, 42, false, true},
    {"move/size start", kEventSystemMoveSizeStart, 7, false, false},
    {"other event", 0x8005, 7, false, false},
    {"event 0", 0, 7, false, false},
};

TEST(EventDriverHook, EventsSetTheirNotes) {
  for (const HookCase& c : kHookCases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.driver.EventWnd = 7;
    r.driver.WinEventProc(c.event, 42);
    EXPECT_EQ(r.driver.EventWnd, c.expectedEventWnd);
    EXPECT_EQ(r.driver.FlagForeground, c.foregroundFlag);
    EXPECT_EQ(r.driver.FlagMoveSize, c.moveSizeFlag);
    EXPECT_EQ(r.host.drags.size(), c.event == kEventSystemMoveSizeEnd ? 1u : 0u);
  }
}

TEST(EventDriverHook, DragIsTimedFromStartToEnd) {
  Rig r;
  const Hwnd w = r.addWindow({10, 20, 310, 220});
  r.d.setNow(1000);
  r.driver.WinEventProc(kEventSystemMoveSizeStart, w);
  EXPECT_EQ(r.driver.MSnapRectB, (TRect{10, 20, 310, 220}));
  EXPECT_TRUE(r.driver.DragStopwatch.running());
  r.d.advance(180);
  r.driver.WinEventProc(kEventSystemMoveSizeEnd, w);
  EXPECT_FALSE(r.driver.DragStopwatch.running());
  r.d.advance(500);
  EXPECT_EQ(r.driver.DragStopwatch.elapsedMilliseconds(r.d), 180);
  EXPECT_EQ(r.host.drags, std::vector<Hwnd>{w});
}

TEST(EventDriverHook, DragStartOfAWindowWithoutRectangleIsIgnored) {
  Rig r;
  const Hwnd parked = r.addWindow({-32000, -32000, -31840, -31970});
  r.driver.MSnapRectB = {1, 2, 3, 4};
  for (Hwnd w : {parked, Hwnd{0x777777}}) {
    r.driver.WinEventProc(kEventSystemMoveSizeStart, w);
    EXPECT_EQ(r.driver.MSnapRectB, (TRect{1, 2, 3, 4}));
    EXPECT_FALSE(r.driver.DragStopwatch.running());
  }
}

// A drag end times the drag only when its start was seen for the same window, and each
// start serves one end.
TEST(EventDriverHook, OnlyADragWhoseStartWasSeenIsTimed) {
  struct Case {
    const char* name;
    bool startOther, startOwn, secondEnd;
    bool timed;
  };
  const Case cases[] = {
      {"start and end of one window", false, true, false, true},
      {"no start seen", false, false, false, false},
      {"the start was another window's", true, false, false, false},
      {"a second end after one start", false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    const Hwnd w = r.addWindow({10, 20, 310, 220});
    const Hwnd other = r.addWindow({400, 20, 700, 220});
    if (c.startOther) r.driver.WinEventProc(kEventSystemMoveSizeStart, other);
    if (c.startOwn) r.driver.WinEventProc(kEventSystemMoveSizeStart, w);
    r.driver.WinEventProc(kEventSystemMoveSizeEnd, w);
    if (c.secondEnd) r.driver.WinEventProc(kEventSystemMoveSizeEnd, w);
    EXPECT_EQ(r.driver.DragStopwatch.timed(), c.timed);
  }
}

// ---- early ticks ----

// Which events ask for a tick at once, and in which states none is asked for: a row a rule.
TEST(EventDriverEarlyTick, AnEventThatCanChangeTheNextTickAsksForOneAtOnce) {
  enum class Of { Foreground, Other, Child, Dragged, Uncounted, None };
  struct Case {
    const char* name;
    std::uint32_t event;
    Of of;
    bool itself;
    std::function<void(TestHost&)> state;
    bool asks;
  };
  const auto running = [](TestHost&) {};
  const Case cases[] = {
      {"foreground", kEventSystemForeground, Of::Other, true, running, true},
      {"move or size ended", kEventSystemMoveSizeEnd, Of::Other, true, running, true},
      {"the foreground moved", kEventObjectLocationChange, Of::Foreground, true, running, true},
      {"another window moved", kEventObjectLocationChange, Of::Other, true, running, false},
      {"an object in the foreground moved", kEventObjectLocationChange, Of::Foreground, false,
       running, false},
      {"a step of a drag", kEventObjectLocationChange, Of::Dragged, true, running, false},
      {"a top-level window shown", kEventObjectShow, Of::Other, true, running, true},
      {"a child window shown", kEventObjectShow, Of::Child, true, running, false},
      {"an object shown", kEventObjectShow, Of::Other, false, running, false},
      {"a counted window destroyed", kEventObjectDestroy, Of::Other, true, running, true},
      {"a child window destroyed", kEventObjectDestroy, Of::Child, true, running, false},
      {"a window destroyed before it was counted", kEventObjectDestroy, Of::Uncounted, true,
       running, false},
      {"an object destroyed", kEventObjectDestroy, Of::Other, false, running, false},
      {"a move started", kEventSystemMoveSizeStart, Of::Other, true, running, false},
      {"a name changed", 0x800C, Of::Foreground, true, running, false},
      {"no window", kEventSystemForeground, Of::None, true, running, false},
      {"stopped", kEventSystemForeground, Of::Other, true, [](TestHost& h) { h.stop = true; },
       false},
      {"one-shot", kEventSystemForeground, Of::Other, true, [](TestHost& h) { h.oneShot = true; },
       false},
      {"paused (the timer is off)", kEventSystemForeground, Of::Other, true,
       [](TestHost& h) { h.setEnabled(false); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.host.setEnabled(true);
    const Hwnd front = r.addWindow({100, 100, 500, 400});
    const Hwnd other = r.addWindow({600, 100, 900, 400});
    const Hwnd child = r.addWindow({650, 150, 700, 200}, [&](FakeWindow& w) {
      w.parent = other;
      w.style = kWsChild;
    });
    r.driver.TimerTimer();  // the driver has counted the windows there are
    const Hwnd uncounted = r.addWindow({600, 500, 900, 800});
    r.driver.MActWinB = front;
    if (c.of == Of::Dragged) r.driver.WinEventProc(kEventSystemMoveSizeStart, front);
    c.state(r.host);
    const Hwnd w = c.of == Of::Foreground || c.of == Of::Dragged ? front
                   : c.of == Of::Child                           ? child
                   : c.of == Of::Other                           ? other
                   : c.of == Of::Uncounted                       ? uncounted
                                                                 : Hwnd{0};
    // Out of context, a destroy event arrives when the window is gone.
    if (c.event == kEventObjectDestroy) r.d.destroyWindow(w);
    r.driver.WinEventProc(c.event, w, c.itself);
    EXPECT_EQ(r.host.early.size(), c.asks ? 1u : 0u);
  }
}

// One early tick at a time, at most one a frame; each is the tick itself, and none runs
// once the program stopped since it was asked for.
TEST(EventDriverEarlyTick, EarlyTicksAreCoalescedToOneAFrame) {
  Rig r;
  r.host.setEnabled(true);
  const Hwnd w = r.addWindow({1700, 100, 2100, 400});  // sticks out on the right
  r.d.setNow(1000);
  r.driver.WinEventProc(kEventSystemForeground, w);
  r.driver.WinEventProc(kEventObjectShow, w);  // already asked for
  EXPECT_EQ(r.host.early, std::vector<std::uint32_t>{0});
  const std::vector<bool> timer = r.host.timer;
  r.driver.earlyTick();
  EXPECT_TRUE(r.corrected(w));
  EXPECT_EQ(r.host.timer, timer) << "an early tick re-armed the period";
  // Within the frame the next one waits for its rest; after it, none waits.
  r.d.advance(5);
  r.driver.WinEventProc(kEventSystemForeground, w);
  EXPECT_EQ(r.host.early, (std::vector<std::uint32_t>{0, 10}));
  r.d.advance(10);
  r.driver.earlyTick();
  r.d.advance(40);
  r.driver.WinEventProc(kEventSystemForeground, w);
  EXPECT_EQ(r.host.early, (std::vector<std::uint32_t>{0, 10, 0}));
  // Stopped before it arrives: nothing runs, and the next event may ask again.
  r.host.stop = true;
  r.d.resetCalls();
  r.driver.earlyTick();
  EXPECT_EQ(r.d.calls(Op::ListTopWindows) + r.d.calls(Op::EnumWindows), 0u);
  r.host.stop = false;
  r.driver.WinEventProc(kEventSystemForeground, w);
  EXPECT_EQ(r.host.early.size(), 4u);
  // The dialog's watch holds the tick: the early one ends at the check as the timer's does,
  // and the window shown meanwhile waits for the tick after it.
  const Hwnd shown =
      r.addWindow({-300, 100, 200, 400}, [](FakeWindow& fw) { fw.placeAtBottom = false; });
  r.host.checkEndsTick = true;
  r.d.advance(40);
  r.driver.earlyTick();
  EXPECT_FALSE(r.corrected(shown));
  r.host.checkEndsTick = false;
  r.d.advance(40);
  r.driver.WinEventProc(kEventObjectShow, shown);
  r.driver.earlyTick();
  EXPECT_TRUE(r.corrected(shown));
}

// ---- the tick ----

struct Desk {
  Hwnd f, g, h, child, captionedChild, grandchild;
};

// Three windows, F in front; G has a plain child and a child with a caption of its own.
// After settle() the driver has seen F's activation and rectangle, and the queue holds F.
Desk setUpDesk(Rig& r) {
  Desk k{};
  k.f = r.addWindow({100, 100, 500, 400});
  k.g = r.addWindow({600, 100, 1000, 400});
  k.h = r.addWindow({1100, 100, 1400, 400});
  k.child = r.addWindow({650, 150, 750, 250}, [&](FakeWindow& w) {
    w.parent = k.g;
    w.style = kWsChild;
  });
  k.captionedChild = r.addWindow({800, 150, 900, 250}, [&](FakeWindow& w) {
    w.parent = k.g;
    w.style = kWsChild | kWsCaption;
  });
  k.grandchild = r.addWindow({810, 160, 850, 200}, [&](FakeWindow& w) {
    w.parent = k.captionedChild;
    w.style = kWsChild;
  });
  r.d.setForeground(k.f);
  r.driver.WinEventProc(kEventSystemForeground, k.f);
  r.driver.WinEventProc(kEventObjectLocationChange, k.f);
  r.tick();
  return k;
}

struct TickCase {
  const char* name;
  std::function<void(Rig&, const Desk&)> act;
  bool sweeps;
};

const TickCase kTickCases[] = {
    {"nothing changed", [](Rig&, const Desk&) {}, false},
    {"window opened",
     [](Rig& r, const Desk&) {
       r.addWindow({0, 0, 100, 100});
     },
     true},
    {"hidden window opened",
     [](Rig& r, const Desk&) {
       r.addWindow({0, 0, 100, 100}, [](FakeWindow& w) { w.visible = false; });
     },
     true},
    {"window closed", [](Rig& r, const Desk& k) { r.d.destroyWindow(k.h); }, true},
    {"child window opened",
     [](Rig& r, const Desk& k) {
       r.addWindow({0, 0, 10, 10}, [&](FakeWindow& w) { w.parent = k.f; });
     },
     false},
    {"foreground changed with event",
     [](Rig& r, const Desk& k) {
       r.d.setForeground(k.h);
       r.driver.WinEventProc(kEventSystemForeground, k.h);
     },
     true},
    {"foreground event, same window",
     [](Rig& r, const Desk& k) { r.driver.WinEventProc(kEventSystemForeground, k.f); }, false},
    {"foreground changed without event", [](Rig& r, const Desk& k) { r.d.setForeground(k.h); },
     false},
    {"foreground moved with event",
     [](Rig& r, const Desk& k) {
       r.d.window(k.f).rect = {120, 100, 520, 400};
       r.driver.WinEventProc(kEventObjectLocationChange, k.f);
     },
     true},
    {"foreground resized by a drag",
     [](Rig& r, const Desk& k) {
       r.d.window(k.f).rect = {100, 100, 500, 450};
       r.driver.WinEventProc(kEventSystemMoveSizeEnd, k.f);
     },
     true},
    {"move event, foreground rectangle unchanged",
     [](Rig& r, const Desk& k) { r.driver.WinEventProc(kEventObjectLocationChange, k.f); }, false},
    {"foreground moved without event",
     [](Rig& r, const Desk& k) {
       r.d.window(k.f).rect = {120, 100, 520, 400};
     },
     false},
    {"queued window under the pointer",
     [](Rig& r, const Desk& k) {
       r.driver.WinEventProc(kEventObjectLocationChange, k.g);
       r.d.setCursorPos({610, 110});
     },
     true},
    {"pointer over the queued window's plain child",
     [](Rig& r, const Desk& k) {
       r.driver.WinEventProc(kEventObjectLocationChange, k.g);
       r.d.setCursorPos({700, 200});
     },
     true},
    {"pointer over the queued window's captioned child",
     [](Rig& r, const Desk& k) {
       r.driver.WinEventProc(kEventObjectLocationChange, k.g);
       r.d.setCursorPos({850, 200});
     },
     true},
    // A child's location event queues the child; its root is G, its caption ancestor itself.
    {"queued captioned child, pointer over its own child",
     [](Rig& r, const Desk& k) {
       r.driver.WinEventProc(kEventObjectLocationChange, k.captionedChild);
       r.d.setCursorPos({820, 170});
     },
     true},
    {"queued window, pointer elsewhere",
     [](Rig& r, const Desk& k) {
       r.driver.WinEventProc(kEventObjectLocationChange, k.g);
       r.d.setCursorPos({1200, 200});
     },
     false},
    {"queued window disabled, pointer over it",
     [](Rig& r, const Desk& k) {
       r.driver.WinEventProc(kEventObjectLocationChange, k.g);
       r.d.window(k.g).enabled = false;
       r.d.setCursorPos({610, 110});
     },
     false},
    {"queued window gone, pointer where it was",
     [](Rig& r, const Desk&) {
       const Hwnd gone = r.addWindow({0, 500, 300, 800});
       r.tick();  // the count change settles
       r.driver.WinEventProc(kEventObjectLocationChange, gone);
       r.tick();  // queued, not released
       r.d.destroyWindow(gone);
       r.tick();
       r.d.setCursorPos({100, 600});
     },
     false},
};

struct Bookkeeping {
  std::int32_t count;
  Hwnd activeWindow;
  TRect activeRect;
  std::vector<Hwnd> queue;
};

Bookkeeping bookkeepingOf(const EventDriver& e) {
  return {e.MProcessC, e.MActWinB, e.MActRectB, e.ListBoxEvent.items()};
}

TEST(EventDriverTick, SweepsOnlyWhenSomethingChanged) {
  for (const TickCase& c : kTickCases) {
    SCOPED_TRACE(c.name);
    Rig running;
    const Desk k1 = setUpDesk(running);
    ASSERT_FALSE(running.tick());  // settled
    c.act(running, k1);
    running.host.timer.clear();
    EXPECT_EQ(running.tick(), c.sweeps);
    EXPECT_EQ(running.host.timer, (std::vector<bool>{false, true}));
    if (c.sweeps) {
      EXPECT_EQ(running.driver.EventWnd, 0u);
    }

    // Stopped: no sweep, but the same bookkeeping.
    Rig stopped;
    const Desk k2 = setUpDesk(stopped);
    stopped.tick();
    stopped.host.stop = true;
    c.act(stopped, k2);
    EXPECT_FALSE(stopped.tick());
    const Bookkeeping a = bookkeepingOf(running.driver);
    const Bookkeeping b = bookkeepingOf(stopped.driver);
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.activeWindow, b.activeWindow);
    EXPECT_EQ(a.activeRect, b.activeRect);
    EXPECT_EQ(a.queue, b.queue);
  }
}

TEST(EventDriverTick, ReleasedHeadLeavesTheQueueAndTheNextOneWaits) {
  Rig r;
  const Desk k = setUpDesk(r);
  r.driver.WinEventProc(kEventObjectLocationChange, k.h);
  r.tick();
  r.driver.WinEventProc(kEventObjectLocationChange, k.g);
  r.tick();
  ASSERT_EQ(r.driver.ListBoxEvent.items(), (std::vector<Hwnd>{k.g, k.h, k.f}));
  // Only the head is examined: pointing at H releases nothing.
  r.d.setCursorPos({1200, 200});
  EXPECT_FALSE(r.tick());
  EXPECT_EQ(r.driver.EventWnd, k.g);
  r.d.setCursorPos({700, 200});
  EXPECT_TRUE(r.tick());
  EXPECT_EQ(r.driver.ListBoxEvent.items(), (std::vector<Hwnd>{k.h, k.f}));
  r.d.setCursorPos({1200, 200});
  EXPECT_TRUE(r.tick());
  EXPECT_EQ(r.driver.ListBoxEvent.items(), (std::vector<Hwnd>{k.f}));
}

TEST(EventDriverTick, SweepStopsAtTheEnabledQueueHead) {
  for (bool headEnabled : {true, false}) {
    SCOPED_TRACE(headEnabled ? "head enabled" : "head disabled");
    Rig r;
    const Desk k = setUpDesk(r);
    ASSERT_EQ(r.driver.ListBoxEvent.items(), std::vector<Hwnd>{k.f});
    r.d.window(k.f).enabled = headEnabled;
    const Hwnd below = r.addWindow({100, -30, 500, 370});  // bottom of the Z-order
    EXPECT_TRUE(r.tick());
    EXPECT_EQ(r.corrected(below), !headEnabled);
  }
}

TEST(EventDriverTick, NotesWaitWhileNoForegroundWindowIsVisible) {
  Rig r;
  const Desk k = setUpDesk(r);
  r.d.setForeground(k.g);
  r.d.window(k.g).visible = false;
  r.driver.WinEventProc(kEventSystemForeground, k.g);
  r.driver.WinEventProc(kEventObjectLocationChange, k.g);
  r.d.setCursorPos({1200, 200});
  r.tick();
  EXPECT_EQ(r.driver.MActWinB, 0u);
  EXPECT_TRUE(r.driver.FlagForeground);
  EXPECT_TRUE(r.driver.FlagMoveSize);
  r.d.window(k.g).visible = true;
  EXPECT_TRUE(r.tick());
  EXPECT_EQ(r.driver.MActWinB, k.g);
  EXPECT_FALSE(r.driver.FlagForeground);
  EXPECT_FALSE(r.driver.FlagMoveSize);
}

TEST(EventDriverTick, WorkAreaCheckCanEndTheTick) {
  Rig r;
  setUpDesk(r);
  r.addWindow({0, 0, 100, 100});
  r.host.checkEndsTick = true;
  r.host.timer.clear();
  r.d.resetCalls();
  r.driver.TimerTimer();
  EXPECT_EQ(r.d.calls(Op::ListTopWindows) + r.d.calls(Op::EnumWindows), 0u);
  EXPECT_TRUE(r.host.timer.empty());
  r.host.checkEndsTick = false;
  EXPECT_TRUE(r.tick());
  EXPECT_EQ(r.host.checks, 3);
}

TEST(EventDriverTick, QueueIsBoundedByTheWindowCount) {
  Rig r;
  setUpDesk(r);
  const std::size_t capacity = 3 + kEventQueueMargin;
  for (Hwnd w = 0x900000; w < 0x900000 + 40; ++w) {
    r.driver.WinEventProc(kEventObjectLocationChange, w);
    r.tick();
  }
  const auto& items = r.driver.ListBoxEvent.items();
  ASSERT_EQ(items.size(), capacity);
  for (std::size_t i = 0; i < capacity; ++i)
    EXPECT_EQ(items[i], static_cast<Hwnd>(0x900000 + 39 - i));
}

struct QueueCase {
  const char* name;
  std::vector<Hwnd> pushes;
  std::size_t capacity;
  std::vector<Hwnd> expected;
};

const QueueCase kQueueCases[] = {
    {"newest first", {1, 2, 3}, 5, {3, 2, 1}},
    {"oldest dropped", {1, 2, 3, 4}, 3, {4, 3, 2}},
    {"capacity 0 keeps the newest", {1, 2}, 0, {2}},
};

TEST(EventDriverQueue, PushFrontKeepsTheNewest) {
  for (const QueueCase& c : kQueueCases) {
    SCOPED_TRACE(c.name);
    EventQueue q;
    for (Hwnd w : c.pushes) q.pushFront(w, c.capacity);
    EXPECT_EQ(q.items(), c.expected);
    EXPECT_TRUE(q.contains(c.expected.front()));
    EXPECT_FALSE(q.contains(99));
    q.popFront();
    EXPECT_EQ(q.size(), c.expected.size() - 1);
  }
}

// ---- the sweep ----

struct Stack {
  Hwnd top, middle, bottom;
};

Stack stackOutOfArea(Rig& r) {
  return {r.addWindow({100, -30, 500, 370}), r.addWindow({600, -30, 1000, 370}),
          r.addWindow({1100, -30, 1500, 370})};
}

TEST(EventDriverSweep, ResidentSweepStopsAtTheEventWindow) {
  struct Case {
    const char* name;
    int stopAt;  // 0 none, 1..3 the stack's windows, 4 a child window
    bool middle, bottom;
  };
  const Case cases[] = {
      {"no event window", 0, true, true},      {"stops at the top", 1, false, false},
      {"stops at the middle", 2, true, false}, {"stops at the bottom", 3, true, true},
      {"child event window", 4, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    r.driver.Proc_MoveWindow();  // the run's first sweep, which sees every window
    const Stack s = stackOutOfArea(r);
    const Hwnd child = r.addWindow({120, 10, 200, 50}, [&](FakeWindow& w) { w.parent = s.top; });
    const Hwnd stops[] = {0, s.top, s.middle, s.bottom, child};
    r.driver.EventWnd = stops[c.stopAt];
    r.driver.Proc_MoveWindow();
    EXPECT_TRUE(r.corrected(s.top));
    EXPECT_EQ(r.corrected(s.middle), c.middle);
    EXPECT_EQ(r.corrected(s.bottom), c.bottom);
    EXPECT_TRUE(r.d.sleepLog().empty());
    EXPECT_EQ(r.host.closes, 0);
  }
}

// The run's first sweep and the one after a display-change pause see every window, whatever
// the event window; after the pause the foreground from before it counts as new again.
TEST(EventDriverSweep, TheFirstSweepAndTheOneAfterAPauseSeeEveryWindow) {
  Rig r;
  const Stack s = stackOutOfArea(r);
  r.driver.EventWnd = s.top;
  r.driver.Proc_MoveWindow();
  EXPECT_TRUE(r.corrected(s.bottom));

  const Hwnd stranded = r.addWindow({1400, 500, 1800, 800});
  r.d.setForeground(stranded);
  r.tick();  // the window count is known: only the foreground can make the next tick sweep
  r.driver.MActWinB = stranded;
  r.d.window(stranded).rect = {1800, 500, 2200, 800};  // its monitor went
  r.driver.EventWnd = s.top;
  r.driver.sweepEverything();
  EXPECT_TRUE(r.corrected(stranded));
  EXPECT_EQ(r.driver.EventWnd, 0u);
  r.driver.WinEventProc(kEventSystemForeground, stranded);
  EXPECT_TRUE(r.tick());
}

TEST(EventDriverSweep, OneShotSweepCoversAllThenSleepsAndCloses) {
  Rig r;
  const Stack s = stackOutOfArea(r);
  r.host.oneShot = true;
  r.host.stop = true;  // not consulted
  r.driver.EventWnd = s.top;
  r.driver.TimerTimer();
  EXPECT_TRUE(r.corrected(s.top));
  EXPECT_TRUE(r.corrected(s.middle));
  EXPECT_TRUE(r.corrected(s.bottom));
  EXPECT_EQ(r.host.timer, std::vector<bool>{false});
  EXPECT_EQ(r.d.sleepLog(), std::vector<std::uint32_t>{500});
  EXPECT_EQ(r.host.closes, 1);
  EXPECT_EQ(r.host.sleepsAtClose, 1u);
  EXPECT_EQ(r.host.checks, 0);
}

TEST(EventDriverSweep, WindowsVanishingMidSweepAreSkipped) {
  Rig r;
  const Hwnd onMove =
      r.addWindow({100, -30, 500, 370}, [](FakeWindow& w) { w.vanishOnMove = true; });
  const Hwnd early =
      r.addWindow({100, -30, 500, 370}, [](FakeWindow& w) { w.vanishAfterCalls = 3; });
  const Hwnd last = r.addWindow({100, -30, 500, 370});
  r.driver.Proc_MoveWindow();
  EXPECT_FALSE(r.d.exists(onMove));
  EXPECT_FALSE(r.d.exists(early));
  EXPECT_EQ(r.d.rectOf(last), (TRect{100, 0, 500, 400}));
  EXPECT_EQ(r.engine.MProcHandle, 0u);
  EXPECT_EQ(r.engine.MProcC, 5);
}

// ---- cost ----

std::uint64_t idleTickCalls(int windows) {
  Rig r;
  setUpDesk(r);
  for (int i = 0; i < windows; ++i) r.addWindow({100 + i, 100, 400 + i, 300});
  r.tick();
  r.tick();
  r.d.resetCalls();
  r.driver.TimerTimer();
  return r.d.totalCalls();
}

std::uint64_t sweepCalls(int windows) {
  Rig r;
  for (int i = 0; i < windows; ++i) r.addWindow({100 + i, 100, 400 + i, 300});
  r.d.resetCalls();
  r.driver.Proc_MoveWindow();
  return r.d.totalCalls();
}

TEST(EventDriverCost, IdleTickIsConstantAndSweepIsLinear) {
  EXPECT_EQ(idleTickCalls(0), idleTickCalls(50));
  const std::uint64_t base = sweepCalls(0);
  const std::uint64_t ten = sweepCalls(10) - base;
  EXPECT_GT(ten, 0u);
  EXPECT_EQ(sweepCalls(40) - base, 4 * ten);
}

}  // namespace
}  // namespace rimfold
