// The win-event hook as one hook per range of the events the driver uses. Asking for these
// alone keeps the desktop's flood of other events (name, value, state changes) from being
// marshalled into the program at all.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/event_driver.h"

namespace rimfold {

struct EventRange {
  std::uint32_t min = 0;
  std::uint32_t max = 0;
};

inline constexpr std::array<EventRange, 4> kHookedEvents{{
    {kEventSystemForeground, kEventSystemForeground},
    {kEventSystemMoveSizeStart, kEventSystemMoveSizeEnd},
    {kEventObjectLocationChange, kEventObjectLocationChange},
    {kEventObjectDestroy, kEventObjectShow},
}};

class IHookInstaller {
 public:
  virtual ~IHookInstaller() = default;
  // SetWinEventHook for one range; false when the system refused it.
  virtual bool installHook(std::size_t index, const EventRange& range) = 0;
  virtual void removeHook(std::size_t index) = 0;
  virtual void logHookFailure(const std::u16string& message) = 0;
};

class EventHooks {
 public:
  explicit EventHooks(IHookInstaller& installer) : installer_(installer) {}

  // Proc_SetEventHook: installs the ranges that are not installed; never twice.
  void set();
  // Proc_UnhookEvent: removes them all, and nothing is retried until the next set().
  void unhook();
  // At every tick: a range the system refused is asked for again. A failure is logged once
  // until every range is installed again, not at every tick.
  void retry();

  bool wanted() const noexcept { return wanted_; }
  bool complete() const noexcept;

 private:
  void installMissing();

  IHookInstaller& installer_;
  std::array<bool, kHookedEvents.size()> installed_{};
  bool wanted_ = false;
  bool failureLogged_ = false;
};

}  // namespace rimfold
