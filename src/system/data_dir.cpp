#include "system/data_dir.h"

#include "rtl/text_utils.h"

namespace rimfold {

namespace {

constexpr std::size_t kMaxPath = 260;
void createIfMissing(Platform& p, const std::u16string& dir) {
  if (!p.system.directoryExists(dir)) p.system.createDirectory(dir);
}

std::u16string cut(const std::u16string& s) { return s.substr(0, kMaxPath); }

}  // namespace

std::u16string GetSpecialFolderPath(Platform& p, int csidl) {
  const std::u16string path = p.shell.getFolderPath(csidl);
  return path.substr(0, path.find(u'\0'));
}

bool Func_CreateDataDir(Platform& p, const std::u16string& name) {
  const std::u16string appData = GetSpecialFolderPath(p, kCsidlAppData);
  // Without it the folder would land at the root of the current drive.
  if (appData.empty()) return false;
  const std::u16string base = appData + u"\\Quenbrook";
  createIfMissing(p, base);
  const std::u16string folder = base + u"\\" + name;
  createIfMissing(p, folder);
  p.data.dir = folder + u"\\";
  return p.system.directoryExists(p.data.dir);
}

bool DriveReady(Platform& p, char16_t firstCharacter) {
  char16_t c = firstCharacter;
  if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  if (c < u'A' || c > u'Z') return c == u'\\';
  return p.system.driveRootReady(c);
}

bool FileExistsOnReadyDrive(Platform& p, const std::u16string& path) {
  if (path.empty()) return false;
  return DriveReady(p, path[0]) && p.system.fileExists(path);
}

std::u16string ExecutableFolder(Platform& p) {
  const std::u16string exe = p.system.getModuleFileName();
  const std::size_t cut = exe.find_last_of(u"\\:");
  if (cut == std::u16string::npos) return {};
  // "C:\x.exe" keeps its root backslash, so the folder still names the drive's root.
  if (cut == 2 && exe[1] == u':') return exe.substr(0, 3);
  return exe.substr(0, cut);
}

void removeStaleSaveFiles(Platform& p, const std::vector<std::u16string>& files) {
  for (const std::u16string& file : files) {
    const std::u16string temp = replacingTempPath(file);
    if (p.system.fileExists(temp)) p.system.deleteFile(temp);
  }
  // GetTempFileName's names: "rf" and one to four hexadecimal digits (Windows writes them
  // in upper case, Wine in lower case).
  const auto legacy = [](const std::u16string& name) {
    if (name.size() < 7 || name.size() > 10 || !name.starts_with(u"rf") ||
        !name.ends_with(u".tmp")) {
      return false;
    }
    for (std::size_t i = 2; i < name.size() - 4; ++i) {
      const char16_t c = name[i];
      if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'))) {
        return false;
      }
    }
    return true;
  };
  for (const std::u16string& name : p.system.findFiles(p.data.dir, u"rf*.tmp")) {
    if (legacy(name)) p.system.deleteFile(p.data.dir + name);
  }
}

void ExecuteProgram(Platform& p, Hwnd owner, const std::u16string& file,
                    const std::u16string& parameters, const std::u16string& directory,
                    int showCommand) {
  p.shell.shellExecute(owner, cut(file), cut(parameters), cut(directory), showCommand);
}

}  // namespace rimfold
