// The timer window behind TSimpleTimer on the fake desktop's manual clock: system timers
// fire while the test advances the clock, as WM_TIMER would arrive in the message loop.
#pragma once

#include <cstdint>
#include <map>

#include "widgets/model/simple_timer.h"
#include "fake/fake_desktop.h"

namespace rimfold::test {

class FakeTimerWindow final : public ITimerWindow {
 public:
  explicit FakeTimerWindow(FakeDesktop& d) : d_(d) { TSimpleTimerHandler::setWindow(this); }
  ~FakeTimerWindow() override { TSimpleTimerHandler::setWindow(nullptr); }

  void createWindow() override { ++created; }
  void destroyWindow() override { ++destroyed; }
  bool setTimer(std::uintptr_t id, std::uint32_t ms) override {
    ++sets;
    if (setFails) return false;
    timers_[id] = Timer{ms, d_.nowMilliseconds() + ms};  // SetTimer on a live id restarts it
    return true;
  }
  bool killTimer(std::uintptr_t id) override {
    ++kills;
    return timers_.erase(id) != 0;
  }

  bool running(std::uintptr_t id) const { return timers_.count(id) != 0; }
  std::size_t runningCount() const { return timers_.size(); }

  // Advances the clock millisecond by millisecond, delivering every due tick.
  void run(std::int64_t ms) {
    for (std::int64_t i = 0; i < ms; ++i) {
      d_.advance(1);
      const std::int64_t now = d_.nowMilliseconds();
      std::map<std::uintptr_t, Timer> due = timers_;
      for (auto& [id, t] : due) {
        auto it = timers_.find(id);
        if (it == timers_.end() || it->second.due > now) continue;
        it->second.due = now + it->second.period;
        if (TSimpleTimerHandler* h = TSimpleTimerHandler::instance()) h->HandleTimer(id);
      }
    }
  }

  int created = 0, destroyed = 0, sets = 0, kills = 0;
  bool setFails = false;

 private:
  struct Timer {
    std::uint32_t period;
    std::int64_t due;
  };
  FakeDesktop& d_;
  std::map<std::uintptr_t, Timer> timers_;
};

}  // namespace rimfold::test
