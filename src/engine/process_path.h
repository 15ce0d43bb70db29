// The program behind a window: its process's image path, in the form the lists key on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace rimfold {

// GetModuleFileNameEx of the process, else its device path translated to a drive letter.
std::u16string Func_ProcessImagePath(Platform& p, std::uint32_t processId);
// The image path as an identity holds it: in its long form when the file exists.
std::u16string identityImagePath(Platform& p, std::uint32_t processId);
// The long form of an existing path, component by component from FindFirstFile.
std::u16string longPathOf(Platform& p, const std::u16string& path);
// "\Device\HarddiskVolumeN\..." to "X:\..." when a drive maps to the device.
std::u16string translateDevicePath(Platform& p, const std::u16string& devicePath);

}  // namespace rimfold
