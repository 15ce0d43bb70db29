// A timer as the logic sees it: the polling timer, the display-change countdown's and the
// work-area question's. The shell's timers are these; a test's are counters.
#pragma once

#include <cstdint>

namespace rimfold {

class ITimer {
 public:
  virtual bool Enabled() const = 0;
  // Enabling restarts the interval, as re-arming a timer does. A disabled timer does not
  // tick, even for a tick queued before it was stopped.
  virtual void setEnabled(bool on) = 0;
  virtual void setInterval(std::uint32_t milliseconds) = 0;

 protected:
  ~ITimer() = default;
};

}  // namespace rimfold
