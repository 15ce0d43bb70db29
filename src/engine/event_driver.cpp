#include "engine/event_driver.h"

#include <algorithm>
#include <utility>

#include "engine/window_ops.h"

namespace rimfold {

namespace {
constexpr std::uint32_t kOneShotCloseDelayMs = 500;
}  // namespace

bool EventQueue::contains(Hwnd w) const {
  return std::find(items_.begin(), items_.end(), w) != items_.end();
}

void EventQueue::pushFront(Hwnd w, std::size_t capacity) {
  capacity = std::max<std::size_t>(capacity, 1);
  if (items_.size() >= capacity) items_.resize(capacity - 1);
  items_.insert(items_.begin(), w);
}

void EventQueue::popFront() {
  if (!items_.empty()) items_.erase(items_.begin());
}

EventDriver::EventDriver(Platform& p, CorrectionEngine& correction, IDriverHost& host,
                         IRunState& run, ITimer& timer)
    : p_(p), correction_(correction), host_(host), run_(run), timer_(timer) {}

void EventDriver::WinEventProc(std::uint32_t event, Hwnd w, bool windowItself) {
  // Where a window stands is noted at its own events, whether or not a sweep reaches it; the
  // steps of a drag are not, its end gives the place.
  const bool dragStep = event == kEventObjectLocationChange && w == dragWindow_;
  if (windowItself && w != 0 && !dragStep && event != kEventObjectDestroy) {
    if (WindowReturn* places = host_.windowReturn()) correction_.notePlace(w, *places);
  }
  switch (event) {
    case kEventSystemForeground:
      EventWnd = w;
      FlagForeground = true;
      break;
    case kEventSystemMoveSizeStart: {
      TRect r;
      if (Func_WindowRect(p_, w, r)) {
        MSnapRectB = r;
        DragStopwatch.startNew(p_.clock);
        dragWindow_ = w;
      } else {
        DragStopwatch.reset();
        dragWindow_ = 0;
      }
      break;
    }
    case kEventSystemMoveSizeEnd:
      EventWnd = w;
      FlagMoveSize = true;
      // Only a drag whose start was seen, for this same window, is timed and may throw; a
      // start missed (before the hook, or unreadable) must not borrow another drag's.
      if (w != 0 && w == dragWindow_) {
        DragStopwatch.stop(p_.clock);
      } else {
        DragStopwatch.reset();
      }
      dragWindow_ = 0;
      host_.dragEnded(w);
      break;
    case kEventObjectLocationChange:
      EventWnd = w;
      FlagMoveSize = true;
      break;
    default: break;
  }
  if (asksEarlyTick(event, w, windowItself, dragStep)) askEarlyTick();
}

bool EventDriver::asksEarlyTick(std::uint32_t event, Hwnd w, bool windowItself, bool dragStep) {
  if (w == 0) return false;
  switch (event) {
    case kEventSystemForeground:
    case kEventSystemMoveSizeEnd: return true;
    // The tick compares the foreground window's rectangle; another window's move waits for
    // the pointer anyway. Neither asks a query of the system here.
    case kEventObjectLocationChange: return windowItself && !dragStep && w == MActWinB;
    case kEventObjectShow: return windowItself && Func_RootAncestor(p_, w) == w;
    case kEventObjectDestroy:
      return windowItself && std::find(counted_.begin(), counted_.end(), w) != counted_.end();
    default: return false;
  }
}

bool EventDriver::mayTickEarly() {
  // The timer is off through the display-change pause and while the work-area question is
  // open; the one-shot run keeps its one sweep.
  return !run_.nonResident() && !run_.stopChecked() && timer_.Enabled();
}

void EventDriver::askEarlyTick() {
  if (earlyTickPosted_ || !mayTickEarly()) return;
  earlyTickPosted_ = true;
  const std::int64_t now = p_.clock.nowMilliseconds();
  const std::int64_t due = lastEarlyTickMs_ + kEarlyTickSpacingMs;
  host_.postEarlyTick(tickedEarly_ && due > now ? static_cast<std::uint32_t>(due - now) : 0);
}

void EventDriver::earlyTick() {
  earlyTickPosted_ = false;
  if (!mayTickEarly()) return;
  lastEarlyTickMs_ = p_.clock.nowMilliseconds();
  tickedEarly_ = true;
  // The period goes on as before: an early tick leaves the timer alone, so that events that
  // keep coming cannot put the regular tick (and what the program does at it) off for ever.
  if (host_.checkDesktopIfFlagged()) return;
  tick();
}

void EventDriver::TimerTimer() {
  if (run_.nonResident()) {
    timer_.setEnabled(false);
    Proc_MoveWindow();
    return;
  }
  if (host_.checkDesktopIfFlagged()) return;
  timer_.setEnabled(false);
  tick();
  timer_.setEnabled(true);
}

void EventDriver::tick() {
  bool changed = false;

  const int count = Func_CountTopWindows(p_, counted_);
  if (count != MProcessC) {
    MProcessC = count;
    changed = true;
  }

  const Hwnd foreground = p_.windows.getForegroundWindow();
  if (foreground != 0 && p_.windows.isWindowVisible(foreground)) {
    if (FlagForeground) {
      FlagForeground = false;
      if (foreground != MActWinB) {
        MActWinB = foreground;
        changed = true;
      }
    }
    if (FlagMoveSize) {
      FlagMoveSize = false;
      TRect r;
      if (Func_WindowRect(p_, foreground, r) && !(r == MActRectB)) {
        MActRectB = r;
        changed = true;
      }
    }
  } else {
    MActWinB = 0;
  }

  if (EventWnd != 0 && !ListBoxEvent.contains(EventWnd)) {
    // Every live window can be pending at once; beyond that the oldest entry is stale.
    const std::size_t capacity =
        static_cast<std::size_t>(std::max(MProcessC, 0)) + kEventQueueMargin;
    ListBoxEvent.pushFront(EventWnd, capacity);
  }

  if (!ListBoxEvent.empty()) {
    const Hwnd head = ListBoxEvent.front();
    if (p_.windows.isWindowEnabled(head)) {
      EventWnd = head;
      // The head waits until the user points at it: then it is surely settled.
      const Hwnd under = Func_WindowUnderCursor(p_);
      if (Func_CaptionAncestor(p_, under) == head || Func_RootAncestor(p_, under) == head) {
        ListBoxEvent.popFront();
        changed = true;
      }
    }
  }

  if (changed && !run_.stopChecked()) {
    Proc_MoveWindow();
    EventWnd = 0;
  }
}

void EventDriver::Proc_MoveWindow() {
  const bool resident = !run_.nonResident();
  WindowReturn* places = host_.windowReturn();
  if (places != nullptr) places->sweepBegin();
  bool complete = true;
  const bool all = std::exchange(sweepAll_, false);
  {
    const CorrectionEngine::Sweep sweep(correction_, places);
    p_.windows.enumWindows([&](Hwnd w) {
      correction_.Proc_CheckWindow(w);
      complete = all || !(resident && w == EventWnd);
      return complete;
    });
  }
  if (places != nullptr) places->sweepEnd(complete);
  if (!resident) {
    p_.clock.sleep(kOneShotCloseDelayMs);
    host_.closeMainForm();
  }
}

void EventDriver::sweepEverything() {
  MActWinB = 0;
  MActRectB = {};
  sweepAll_ = true;
  Proc_MoveWindow();
  EventWnd = 0;
}

}  // namespace rimfold
