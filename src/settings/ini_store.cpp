#include "settings/ini_store.h"

#include "rtl/text_utils.h"
#include "settings/data_files.h"

namespace rimfold {

namespace {

// nullopt when the file exists but was not read (held elsewhere, oversized).
std::optional<IniFile> readIniFile(Platform& p, const std::u16string& path) {
  std::string bytes;
  switch (readDataFile(p, path, bytes, kSettingsFileLimit)) {
    case ReadResult::Ok: return IniFile::parse(bytes, p.codePage);
    case ReadResult::Missing: return IniFile{};
    default: return std::nullopt;
  }
}

}  // namespace

IniFile loadIniFile(Platform& p, const std::u16string& path) {
  return readIniFile(p, path).value_or(IniFile{});
}

std::optional<IniFile> loadIniFileForRewrite(Platform& p, const std::u16string& path) {
  // Once unreadable, a file stays untouched for the run: what was used instead is not the
  // user's.
  if (writeBlocked(p, path)) return std::nullopt;
  return readIniFile(p, path);
}

void saveIniFile(Platform& p, const IniFile& ini, const std::u16string& path) {
  if (!p.system.writeFileReplacing(path, ini.serialize(p.codePage))) {
    throw IoError::cannotCreate(path);
  }
}

}  // namespace rimfold
