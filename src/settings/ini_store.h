// INI files read whole and written back whole, never losing the previous content.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "rtl/ini_file.h"
#include "settings/data_files.h"

namespace rimfold {

// Reads a whole INI file; a missing, unreadable or oversized file gives an empty one.
IniFile loadIniFile(Platform& p, const std::u16string& path);
// The file as it is to be changed and saved; nullopt for a file over kSettingsFileLimit or
// one that could not be read (now or earlier in this run), which is left as it is on disk.
std::optional<IniFile> loadIniFileForRewrite(Platform& p, const std::u16string& path);
// Writes it back whole, never losing the previous content; throws IoError on failure.
void saveIniFile(Platform& p, const IniFile& ini, const std::u16string& path);
}  // namespace rimfold
