#include "widgets/model/simple_timer.h"

#include <algorithm>
#include <stdexcept>

namespace rimfold {

namespace {
ITimerWindow* timerWindow = nullptr;
TSimpleTimerHandler* sharedHandler = nullptr;
}  // namespace

void TSimpleTimerHandler::setWindow(ITimerWindow* window) { timerWindow = window; }

TSimpleTimerHandler* TSimpleTimerHandler::instance() { return sharedHandler; }

TSimpleTimerHandler::TSimpleTimerHandler(ITimerWindow& window) : window_(window) {
  window_.createWindow();
}

TSimpleTimerHandler::~TSimpleTimerHandler() { window_.destroyWindow(); }

TSimpleTimerHandler& TSimpleTimerHandler::acquire() {
  if (sharedHandler == nullptr) {
    if (timerWindow == nullptr) throw std::logic_error("no timer window");
    sharedHandler = new TSimpleTimerHandler(*timerWindow);
  }
  return *sharedHandler;
}

void TSimpleTimerHandler::RemoveTimer(TSimpleTimer* t) {
  const auto it = std::find(timers_.begin(), timers_.end(), t);
  if (it != timers_.end()) timers_.erase(it);
}

void TSimpleTimerHandler::releaseIfUnused() {
  if (sharedHandler != nullptr && sharedHandler->timers_.empty()) {
    delete sharedHandler;
    sharedHandler = nullptr;
  }
}

void TSimpleTimerHandler::HandleTimer(std::uintptr_t id) {
  // A tick can still be queued for a timer freed meanwhile: look it up, never cast.
  const auto it = std::find_if(timers_.begin(), timers_.end(),
                               [id](const TSimpleTimer* t) { return t->Id() == id; });
  if (it != timers_.end()) (*it)->tick();
}

TSimpleTimer::TSimpleTimer(std::uint32_t interval, TNotifyEvent onTimer)
    : handler_(TSimpleTimerHandler::acquire()), FInterval(interval) {
  setOnTimer(std::move(onTimer));
  handler_.AddTimer(this);
}

TSimpleTimer::~TSimpleTimer() {
  if (FEnabled) DisarmTimer(true);
  handler_.RemoveTimer(this);
  TSimpleTimerHandler::releaseIfUnused();
}

void TSimpleTimer::setEnabled(bool on) {
  if (on) {
    ArmTimer();
  } else {
    DisarmTimer(true);
  }
}

void TSimpleTimer::setInterval(std::uint32_t v) {
  if (v == FInterval) return;
  FInterval = v;
  if (!FEnabled) return;
  if (v != 0) {
    ArmTimer();
  } else {
    DisarmTimer(false);  // stays enabled until a usable interval comes
  }
}

void TSimpleTimer::setOnTimer(TNotifyEvent e) {
  FOnTimer = std::move(e);
  if (!FOnTimer && FEnabled) DisarmTimer(false);
}

bool TSimpleTimer::ArmTimer() {
  if (FInterval == 0) return false;
  if (FEnabled) DisarmTimer(true);
  if (!handler_.window_.setTimer(Id(), FInterval)) return false;
  FEnabled = true;
  running_ = true;
  ++handler_.ActiveCount;
  return true;
}

bool TSimpleTimer::DisarmTimer(bool clear) {
  if (clear) FEnabled = false;
  const bool killed = handler_.window_.killTimer(Id());
  if (killed) {
    running_ = false;
    if (handler_.ActiveCount > 0) --handler_.ActiveCount;
  }
  return killed;
}

void TSimpleTimer::tick() {
  // WM_TIMER can still be queued from before a KillTimer.
  if (!FEnabled) return;
  if (AutoDisable) DisarmTimer(true);
  if (FOnTimer) FOnTimer(*this);
}

}  // namespace rimfold
