#include "system/uac_check.h"

#include "system/version.h"

namespace rimfold {

bool UACEnabled = false;

void CheckUAC(Platform& p) {
  UACEnabled = false;
  if (!isAtLeast(p.system.getVersion(), 6, 0)) return;
  const auto lua = p.system.readHklmDword(
      u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", u"EnableLUA");
  UACEnabled = lua.has_value() && *lua != 0;
}

}  // namespace rimfold
