// Whether user account control is switched on.
#pragma once

#include "platform/platform.h"

namespace rimfold {

extern bool UACEnabled;

// From 6.0 on, HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\System "EnableLUA";
// a missing key or value counts as 0.
void CheckUAC(Platform& p);

}  // namespace rimfold
