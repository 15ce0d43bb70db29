// Running as a 32-bit process on 64-bit Windows.
#pragma once

#include <string>

#include "platform/platform.h"

namespace rimfold {

// Whether this is a 32-bit process on 64-bit Windows (IsWow64).
bool InitWow64(Platform& p);
// The existence test with the WOW64 file-system redirection off around it.
bool FileExistsNative(Platform& p, bool isWow64, const std::u16string& path);
// "\System32\" -> "\Sysnative\" (case ignored) under WOW64 when the result exists.
std::u16string SysnativePath(Platform& p, bool isWow64, const std::u16string& path);

}  // namespace rimfold
