#include "system/data_dir.h"

#include "rtl/text_utils.h"

namespace rimfold {

std::u16string DataDir;

namespace {

constexpr std::size_t kMaxPathText = 260;

bool isDriveLetter(char16_t c) { return c >= u'A' && c <= u'Z'; }

// Both file helpers leave the current directory at the executable's folder.
void resetCurrentDirectory(Platform& p) { p.system.setCurrentDirectory(ExecutableFolder(p)); }

}  // namespace

std::u16string GetSpecialFolderPath(Platform& p, int csidl) {
  std::u16string path = p.shell.getFolderPath(csidl);
  if (const auto nul = path.find(u'\0'); nul != std::u16string::npos) path.resize(nul);
  return path;
}

bool Func_CreateDataDir(Platform& p, const std::u16string& name) {
  const std::u16string base = GetSpecialFolderPath(p, kCsidlAppData) + u"\\Quenbrook";
  if (!p.system.directoryExists(base)) p.system.createDirectory(base);
  const std::u16string folder = base + u"\\" + name;
  if (!p.system.directoryExists(folder)) p.system.createDirectory(folder);
  DataDir = folder + u"\\";
  return p.system.directoryExists(DataDir);
}

bool DriveReady(Platform& p, char16_t firstCharacter) {
  char16_t c = firstCharacter;
  if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  if (!isDriveLetter(c)) return c == u'\\';
  return p.system.driveRootReady(c);
}

bool FileExistsOnReadyDrive(Platform& p, const std::u16string& path) {
  if (path.empty()) return false;
  return DriveReady(p, path[0]) && p.system.fileExists(path);
}

int LoadStringsFromFile(Platform& p, StringList& lines, const std::u16string& path,
                        std::optional<TextEncoding> encoding) {
  lines.clear();
  if (FileExistsOnReadyDrive(p, path)) {
    std::string bytes;
    if (p.system.readFile(path, bytes)) {
      const std::u16string text = encoding
                                      ? decodeTextAs(bytes, *encoding, p.codePage)
                                      : decodeText(bytes, p.codePage).text;
      lines = splitLines(text);
    }
  }
  resetCurrentDirectory(p);
  return static_cast<int>(lines.size());
}

bool SaveStringsToFile(Platform& p, const StringList& lines, const std::u16string& path,
                       TextEncoding encoding) {
  // Another process holding the file open wins: nothing is written.
  if (FileExistsOnReadyDrive(p, path) && !p.system.canOpenExclusive(path)) {
    resetCurrentDirectory(p);
    return false;
  }
  const std::string bytes =
      encodeText(joinLines(lines), encoding, encoding != TextEncoding::Ansi, p.codePage);
  const bool ok = p.system.writeFileReplacing(path, bytes);
  resetCurrentDirectory(p);
  return ok;
}

std::u16string ExecutableFolder(Platform& p) {
  const std::u16string exe = p.system.getModuleFileName();
  const auto slash = exe.find_last_of(u"\\/");
  return slash == std::u16string::npos ? std::u16string() : exe.substr(0, slash);
}

void ExecuteProgram(Platform& p, Hwnd owner, const std::u16string& file,
                    const std::u16string& parameters, const std::u16string& directory,
                    int showCommand) {
  auto cut = [](const std::u16string& s) { return s.substr(0, kMaxPathText); };
  p.shell.shellExecute(owner, cut(file), cut(parameters), cut(directory), showCommand);
}

}  // namespace rimfold
