// Times a drag; stopped, it keeps its elapsed time. The raw counter's difference is
// truncated to whole milliseconds once, so that 499.9 ms never reads 500.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace rimfold {

class Stopwatch {
 public:
  void startNew(IClock& clock) {
    start_ = clock.nowTicks();
    elapsed_ = 0;
    running_ = true;
    timed_ = true;
  }
  void stop(IClock& clock) {
    if (running_) {
      elapsed_ = clock.nowTicks() - start_;
      running_ = false;
    }
  }
  // Back to never started: there is nothing to time.
  void reset() { *this = Stopwatch{}; }
  std::int64_t elapsedMilliseconds(IClock& clock) const {
    const std::int64_t ticks = running_ ? clock.nowTicks() - start_ : elapsed_;
    const std::int64_t perSecond = clock.ticksPerSecond();
    // Split so that ticks * 1000 cannot overflow.
    return (ticks / perSecond) * 1000 + (ticks % perSecond) * 1000 / perSecond;
  }
  bool running() const { return running_; }
  // Started since it was made or reset.
  bool timed() const { return timed_; }

 private:
  std::int64_t start_ = 0;
  std::int64_t elapsed_ = 0;
  bool running_ = false;
  bool timed_ = false;
};

}  // namespace rimfold
