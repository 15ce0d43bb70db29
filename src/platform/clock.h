// Time: a monotonic millisecond clock, sleeping, local time and its regional formats.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace rimfold {

class IClock {
 public:
  virtual ~IClock() = default;

  // High-resolution elapsed milliseconds (performance counter, tick count as fallback).
  virtual std::int64_t nowMilliseconds() = 0;
  // The raw counter behind it and its counts per second, for differences that are to be
  // truncated once rather than at each end.
  virtual std::int64_t nowTicks() = 0;
  virtual std::int64_t ticksPerSecond() = 0;
  virtual void sleep(std::uint32_t milliseconds) = 0;
  virtual LocalTime localTime() = 0;
  // The user's default short date and long time formats.
  virtual std::u16string formatShortDate(const LocalTime& t) = 0;
  virtual std::u16string formatLongTime(const LocalTime& t) = 0;
};

}  // namespace rimfold
