#include "engine/event_hooks.h"

#include <algorithm>

namespace rimfold {

namespace {

std::u16string hex(std::uint32_t v) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string s;
  do {
    s.insert(s.begin(), kDigits[v % 16]);
    v /= 16;
  } while (v != 0);
  return u"0x" + s;
}

}  // namespace

bool EventHooks::complete() const noexcept {
  return std::all_of(installed_.begin(), installed_.end(), [](bool b) { return b; });
}

void EventHooks::set() {
  wanted_ = true;
  installMissing();
}

void EventHooks::unhook() {
  wanted_ = false;
  for (std::size_t i = 0; i < installed_.size(); ++i) {
    if (installed_[i]) installer_.removeHook(i);
    installed_[i] = false;
  }
}

void EventHooks::retry() {
  if (wanted_ && !complete()) installMissing();
}

void EventHooks::installMissing() {
  for (std::size_t i = 0; i < installed_.size(); ++i) {
    if (installed_[i]) continue;
    installed_[i] = installer_.installHook(i, kHookedEvents[i]);
    if (!installed_[i] && !failureLogged_) {
      failureLogged_ = true;
      installer_.logHookFailure(u"SetWinEventHook failed for events " + hex(kHookedEvents[i].min) +
                                u".." + hex(kHookedEvents[i].max) + u"; retried at every tick");
    }
  }
  if (complete()) failureLogged_ = false;
}

}  // namespace rimfold
