#include "system/elevation.h"

#include "system/uac_check.h"
#include "system/version.h"

namespace rimfold {

bool ExecuteElevated(Platform& p, Hwnd owner, const std::u16string& file,
                     const std::u16string& parameters) {
  return p.shell.shellExecuteEx(owner, u"runas", file, parameters, kSwShowNormal);
}

bool adminQOffered(Platform& p, bool uacEnabled) {
  return IsVistaOrLater(p.system) && uacEnabled && !p.shell.isUserAnAdmin();
}

void PPAdminQClick(Platform& p, Hwnd owner) {
  ExecuteElevated(p, owner, p.system.getModuleFileName(), u"/Q");
}

}  // namespace rimfold
