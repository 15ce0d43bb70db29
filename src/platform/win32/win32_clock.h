// IClock over the performance counter, Sleep and the regional formats.
#pragma once

#include "platform/clock.h"

namespace rimfold::win32 {

class Win32Clock final : public IClock {
 public:
  Win32Clock() noexcept;

  std::int64_t nowMilliseconds() noexcept override;
  std::int64_t nowTicks() noexcept override;
  std::int64_t ticksPerSecond() noexcept override;
  void sleep(std::uint32_t milliseconds) noexcept override;
  LocalTime localTime() noexcept override;
  std::u16string formatShortDate(const LocalTime& t) override;
  std::u16string formatLongTime(const LocalTime& t) override;

 private:
  std::int64_t frequency_ = 0;  // 0: no performance counter, the tick count serves
};

}  // namespace rimfold::win32
