// Starting a second copy elevated for the one-shot "/Q" sweep over elevated programs' windows.
#pragma once

#include <string>

#include "platform/platform.h"

namespace rimfold {

inline constexpr int kSwShowNormal = 1;

// ShellExecuteEx with the verb "runas"; true when the launch succeeded.
bool ExecuteElevated(Platform& p, Hwnd owner, const std::u16string& file,
                     const std::u16string& parameters);

// PPAdminQ is offered (with the shield) only where elevation would gain something:
// Vista or later, user account control on, and not already an administrator.
bool adminQOffered(Platform& p, bool uacEnabled);

// PPAdminQClick: this executable elevated with "/Q"; the result is ignored.
void PPAdminQClick(Platform& p, Hwnd owner);

}  // namespace rimfold
