#include "system/uac_check.h"

#include "system/version.h"

namespace rimfold {

bool CheckUAC(Platform& p) {
  if (!isAtLeast(p.system.getVersion(), 6, 0)) return false;
  const auto lua = p.system.readHklmDword(
      u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", u"EnableLUA");
  return lua.has_value() && *lua != 0;
}

}  // namespace rimfold
