#include "system/version.h"

namespace rimfold {

// The predicates are applied as written, so a hypothetical 7.0 would meet only the first.
bool isVistaOrLater(const OsVersion& v) { return v.major >= 6; }
bool isWindows7OrLater(const OsVersion& v) {
  return (v.major >= 6 && v.minor >= 1) || v.major == 10;
}
bool isWindows8OrLater(const OsVersion& v) {
  return (v.major >= 6 && v.minor >= 2) || v.major == 10;
}
bool isWindows10(const OsVersion& v) { return v.major == 10; }
bool isAtLeast(const OsVersion& v, unsigned major, unsigned minor) {
  return v.major > major || (v.major == major && v.minor >= minor);
}

bool IsVistaOrLater(ISystem& s) { return isVistaOrLater(s.getVersion()); }
bool IsWindows7OrLater(ISystem& s) { return isWindows7OrLater(s.getVersion()); }
bool IsWindows8OrLater(ISystem& s) { return isWindows8OrLater(s.getVersion()); }
bool IsWindows10(ISystem& s) { return isWindows10(s.getVersion()); }

}  // namespace rimfold
