// Times a drag in whole milliseconds; stopped, it keeps its elapsed time.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace rimfold {

class Stopwatch {
 public:
  void startNew(IClock& clock) {
    start_ = clock.nowMilliseconds();
    elapsed_ = 0;
    running_ = true;
  }
  void stop(IClock& clock) {
    if (running_) {
      elapsed_ = clock.nowMilliseconds() - start_;
      running_ = false;
    }
  }
  std::int64_t elapsedMilliseconds(IClock& clock) const {
    return running_ ? clock.nowMilliseconds() - start_ : elapsed_;
  }
  bool running() const { return running_; }

 private:
  std::int64_t start_ = 0;
  std::int64_t elapsed_ = 0;
  bool running_ = false;
};

}  // namespace rimfold
