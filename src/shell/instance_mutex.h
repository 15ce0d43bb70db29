// The instance rules at process entry: which named mutexes exist, and this instance's own.
#pragma once

#include <string>

#include "app/instance_rules.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::shell {

// OpenMutexW(MUTEX_ALL_ACCESS, not inheritable, name), the handle closed again at once;
// true when mutexRunning says the outcome means a running copy.
app::MutexOpen openMutex(const char16_t* name);
inline bool mutexExists(const char16_t* name) { return app::mutexRunning(openMutex(name)); }

// This instance's mutex, created not owned; invalid when creation failed. alreadyExisted
// tells whether another process had created it first.
win32::UniqueMutex createInstanceMutex(const char16_t* name, bool& alreadyExisted);

// The first command-line argument (after the program name); empty when there is none.
std::u16string firstArgument(const wchar_t* commandLine);

}  // namespace rimfold::shell
