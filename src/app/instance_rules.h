// Which instances may run side by side.
#pragma once

namespace rimfold::app {

inline constexpr const char16_t* kMutexNormal = u"Rimfold/Quenbrook";
inline constexpr const char16_t* kMutexAdmin = u"Rimfold_Admin/Quenbrook";

// How opening a named mutex went.
enum class MutexOpen { Opened, NotFound, AccessDenied, OtherError };
// A mutex that exists but may not be opened (an elevated copy's, seen by a standard user)
// belongs to a running copy all the same.
constexpr bool mutexRunning(MutexOpen r) {
  return r == MutexOpen::Opened || r == MutexOpen::AccessDenied;
}

struct InstanceDecision {
  bool run = false;
  const char16_t* mutexName = nullptr;  // the mutex this instance creates
};

// adminRunning / normalRunning: whether the named mutexes could be opened.
InstanceDecision decideInstance(bool adminRunning, bool normalRunning, bool isAdmin,
                                bool nonResident);

// Creating this instance's mutex (`created`) found it there already: a copy of the same
// kind got past the look-up at the same instant. The table decides again, with that copy
// counted as running and otherRunning from the other mutex looked up afresh.
InstanceDecision decideOnExistingMutex(const InstanceDecision& created, bool otherRunning,
                                       bool isAdmin, bool nonResident);

// The first argument compared exactly with "/Q".
bool isNonResidentArgument(const char16_t* firstArgument);

}  // namespace rimfold::app
