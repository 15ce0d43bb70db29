#include "app/instance_rules.h"

#include <string_view>

namespace rimfold::app {

InstanceDecision decideInstance(bool adminRunning, bool normalRunning, bool isAdmin,
                                bool nonResident) {
  // An elevated instance excludes every other; a normal one tolerates only the elevated
  // one-shot companion started from its tray menu.
  if (adminRunning || (normalRunning && !(isAdmin && nonResident))) {
    return {};
  }
  return {true, isAdmin ? kMutexAdmin : kMutexNormal};
}

InstanceDecision decideOnExistingMutex(const InstanceDecision& created, bool otherRunning,
                                       bool isAdmin, bool nonResident) {
  const bool createdAdmin =
      created.mutexName != nullptr && std::u16string_view(created.mutexName) == kMutexAdmin;
  return decideInstance(createdAdmin || otherRunning, !createdAdmin || otherRunning, isAdmin,
                        nonResident);
}

bool isNonResidentArgument(const char16_t* firstArgument) {
  return firstArgument != nullptr && std::u16string_view(firstArgument) == u"/Q";
}

}  // namespace rimfold::app
