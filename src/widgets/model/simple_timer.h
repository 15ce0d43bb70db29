// TSimpleTimer: light timers that share one hidden window, whose handler dispatches
// WM_TIMER by the timer's identifier. The window and the system timers are behind
// ITimerWindow so that the logic runs without Win32.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/timer.h"

namespace rimfold {

// The shared hidden window and the system timers set on it.
class ITimerWindow {
 public:
  virtual ~ITimerWindow() = default;
  virtual void createWindow() = 0;
  virtual void destroyWindow() = 0;
  virtual bool setTimer(std::uintptr_t id, std::uint32_t milliseconds) = 0;
  virtual bool killTimer(std::uintptr_t id) = 0;
};

class TSimpleTimer;
using TNotifyEvent = std::function<void(TSimpleTimer& sender)>;

// The one shared handler: created with the first timer, freed with the last.
class TSimpleTimerHandler {
 public:
  // Where the shared handler creates its window; set once before the first timer.
  static void setWindow(ITimerWindow* window);
  // nullptr while no timer exists.
  static TSimpleTimerHandler* instance();

  int RefCount() const { return static_cast<int>(timers_.size()); }
  int ActiveCount = 0;

  // WM_TIMER with the given identifier; identifiers of freed timers are ignored.
  void HandleTimer(std::uintptr_t id);

 private:
  friend class TSimpleTimer;
  explicit TSimpleTimerHandler(ITimerWindow& window);
  ~TSimpleTimerHandler();
  TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
  TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

  static TSimpleTimerHandler& acquire();
  void AddTimer(TSimpleTimer* t) { timers_.push_back(t); }
  void RemoveTimer(TSimpleTimer* t);
  static void releaseIfUnused();

  ITimerWindow& window_;
  std::vector<TSimpleTimer*> timers_;
};

class TSimpleTimer final : public ITimer {
 public:
  TSimpleTimer() : TSimpleTimer(1000, nullptr) {}
  TSimpleTimer(std::uint32_t interval, TNotifyEvent onTimer);  // CreateEx
  ~TSimpleTimer();
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // The object's own address, as SetTimer gets it.
  std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(this); }

  bool Enabled() const override { return FEnabled; }
  void setEnabled(bool on) override;
  std::uint32_t Interval() const { return FInterval; }
  void setInterval(std::uint32_t v) override;
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void setOnTimer(TNotifyEvent e);
  bool AutoDisable = false;
  std::int32_t Tag = 0;

  // A system timer is set for this timer now.
  bool running() const { return running_; }

 private:
  friend class TSimpleTimerHandler;
  bool ArmTimer();
  bool DisarmTimer(bool clear);
  void tick();

  TSimpleTimerHandler& handler_;
  bool FEnabled = false;
  std::uint32_t FInterval = 0;
  TNotifyEvent FOnTimer;
  bool running_ = false;
};

}  // namespace rimfold
