// Start at sign-in: one per-user Run value naming the exe it was set from. The installer
// writes the same value (res/installer), so the two must agree on its key, name and form.
#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace rimfold {

inline constexpr char16_t kRunKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where Task Manager's Startup tab records an entry the user switched off there.
inline constexpr char16_t kStartupApprovedKey[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr char16_t kSignInValue[] = u"Rimfold";

// The command the entry holds for exe: the path in quotes, as the shell wants one with spaces.
std::u16string signInCommand(const std::u16string& exe);
// Whether command starts exe (case ignored), quoted or not.
bool commandNames(std::u16string_view command, std::u16string_view exe);
// The entry names exe and Task Manager has not switched it off.
bool startsAtSignIn(ISystem& s, const std::u16string& exe);
// On: the entry names exe (and a switch-off in Task Manager is lifted); off: no entry.
// False when the registry refused the change.
bool setStartAtSignIn(ISystem& s, const std::u16string& exe, bool on);

}  // namespace rimfold
