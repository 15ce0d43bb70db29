// What the system is, read once at start and handed to what depends on it.
#pragma once

namespace rimfold {

struct SystemTraits {
  bool UACEnabled = false;  // user account control is switched on (CheckUAC)
  bool IsWow64 = false;     // a 32-bit process on 64-bit Windows (InitWow64)
};

}  // namespace rimfold
