// The event hook's bookkeeping and the polling timer: when to sweep, and the sweep.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/correction.h"
#include "engine/host_capabilities.h"
#include "engine/stopwatch.h"
#include "platform/platform.h"
#include "platform/timer.h"

namespace rimfold {

inline constexpr std::uint32_t kEventSystemForeground = 0x0003;
inline constexpr std::uint32_t kEventSystemMoveSizeStart = 0x000A;
inline constexpr std::uint32_t kEventSystemMoveSizeEnd = 0x000B;
inline constexpr std::uint32_t kEventObjectDestroy = 0x8001;
inline constexpr std::uint32_t kEventObjectShow = 0x8002;
inline constexpr std::uint32_t kEventObjectLocationChange = 0x800B;

// What the driver asks of the program around it, besides the run state and the timer.
class IDriverHost {
 public:
  // The dialog's FWMGETMINMAXINFO check at the start of a tick; true ends the tick.
  virtual bool checkDesktopIfFlagged() = 0;
  // The end of a drag: inertial movement, then the minimum-size limit.
  virtual void dragEnded(Hwnd w) = 0;
  // The one-shot sweep is done: the program closes.
  virtual void closeMainForm() = 0;
  // Where the sweeps record each window's place; null while windows are not put back.
  virtual WindowReturn* windowReturn() = 0;
  // earlyTick() is to run after delayMs, or as soon as the message loop is free when 0.
  virtual void postEarlyTick(std::uint32_t delayMs) = 0;

 protected:
  ~IDriverHost() = default;
};

// Pending event windows, newest first; only the head is ever released. Bounded so that a
// long run cannot grow it without end: the oldest entries are dropped.
class EventQueue {
 public:
  bool contains(Hwnd w) const;
  void pushFront(Hwnd w, std::size_t capacity);
  bool empty() const { return items_.empty(); }
  Hwnd front() const { return items_.front(); }
  void popFront();
  std::size_t size() const { return items_.size(); }
  const std::vector<Hwnd>& items() const { return items_; }

 private:
  std::vector<Hwnd> items_;  // front at index 0
};

// Extra room over the top-level window count before the queue drops its oldest entry.
inline constexpr std::size_t kEventQueueMargin = 16;
// An event that can make the next tick sweep asks for a tick at once, not at the next of the
// period: at most one such early tick per frame.
inline constexpr std::int64_t kEarlyTickSpacingMs = 15;

class EventDriver {
 public:
  // timer: the polling timer, which the driver stops while a sweep runs.
  EventDriver(Platform& p, CorrectionEngine& correction, IDriverHost& host, IRunState& run,
              ITimer& timer);

  // windowItself: the event is about the window (OBJID_WINDOW, CHILDID_SELF), not about an
  // object inside it.
  void WinEventProc(std::uint32_t event, Hwnd w, bool windowItself = true);
  void TimerTimer();
  // The early tick an event asked for: the tick itself, unless the program stopped, paused
  // or went one-shot since; the timer's period is left as it runs.
  void earlyTick();
  void Proc_MoveWindow();
  // After the display-change pause: one sweep over every window, not stopping at the event
  // window, and the foreground forgotten, so that its next event counts as a change.
  void sweepEverything();

  Hwnd EventWnd = 0;
  bool FlagForeground = false;
  bool FlagMoveSize = false;
  Stopwatch DragStopwatch;
  std::int32_t MProcessC = 0;
  Hwnd MActWinB = 0;
  TRect MActRectB{};
  TRect MSnapRectB{};
  EventQueue ListBoxEvent;

 private:
  Platform& p_;
  CorrectionEngine& correction_;
  IDriverHost& host_;
  IRunState& run_;
  ITimer& timer_;
  // Whether the event can make the next tick sweep: the foreground, a move or size ended, the
  // foreground window moved (not step by step under a drag), a top-level window shown or
  // destroyed.
  bool asksEarlyTick(std::uint32_t event, Hwnd w, bool windowItself, bool dragStep);
  bool mayTickEarly();
  // The tick after the work-area check: what changed, and the sweep when something did.
  void tick();
  void askEarlyTick();

  Hwnd dragWindow_ = 0;  // the window whose drag start was recorded
  // The top-level windows of the last count: a destroyed handle can no longer be asked
  // whether it was one, and child windows come and go far more often.
  std::vector<Hwnd> counted_;
  bool earlyTickPosted_ = false;
  bool tickedEarly_ = false;
  std::int64_t lastEarlyTickMs_ = 0;
  // The next sweep sees every window: the first one of the run, and the one after a pause.
  bool sweepAll_ = true;
};

}  // namespace rimfold
