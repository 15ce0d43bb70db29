// Whether user account control is switched on.
#pragma once

#include "platform/platform.h"

namespace rimfold {

// From 6.0 on, HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\System "EnableLUA";
// a missing key or value counts as 0.
bool CheckUAC(Platform& p);

}  // namespace rimfold
