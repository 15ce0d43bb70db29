// Windows version predicates; each asks the system anew.
#pragma once

#include "platform/system.h"

namespace rimfold {

bool IsVistaOrLater(ISystem& s);
bool IsWindows7OrLater(ISystem& s);
bool IsWindows8OrLater(ISystem& s);
bool IsWindows10(ISystem& s);
// Pure forms, for tables of versions.
bool isVistaOrLater(const OsVersion& v);
bool isWindows7OrLater(const OsVersion& v);
bool isWindows8OrLater(const OsVersion& v);
bool isWindows10(const OsVersion& v);
bool isAtLeast(const OsVersion& v, unsigned major, unsigned minor);

}  // namespace rimfold
