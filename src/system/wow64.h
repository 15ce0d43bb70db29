// Running as a 32-bit process on 64-bit Windows.
#pragma once

#include <string>

#include "platform/platform.h"

namespace rimfold {

extern bool IsWow64;

void InitWow64(Platform& p);
void DisableFsRedirection(Platform& p);
void RevertFsRedirection(Platform& p);
bool FileExistsNative(Platform& p, const std::u16string& path);
// "\System32\" -> "\Sysnative\" (case ignored) under WOW64 when the result exists.
std::u16string SysnativePath(Platform& p, const std::u16string& path);

}  // namespace rimfold
