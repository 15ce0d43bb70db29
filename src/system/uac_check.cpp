#include "system/uac_check.h"

#include "system/version.h"

namespace rimfold {

bool UACEnabled = false;

void CheckUAC(Platform& p) {
  UACEnabled = false;
  if (!isAtLeast(p.system.getVersion(), 6, 0)) return;
  // A system without the policy value is treated as having UAC off.
  const auto value = p.system.readHklmDword(
      u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", u"EnableLUA");
  UACEnabled = value.has_value() && *value != 0;
}

}  // namespace rimfold
