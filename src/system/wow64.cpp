#include "system/wow64.h"

#include "rtl/text_utils.h"
#include "system/data_dir.h"
#include "system/version.h"

namespace rimfold {

bool InitWow64(Platform& p) {
  const std::optional<bool> answer = p.system.isWow64Process();
  // Without IsWow64Process, 64-bit Windows starts with XP x64 / Server 2003 (5.2).
  return answer.has_value() ? *answer : isAtLeast(p.system.getVersion(), 5, 2);
}

bool FileExistsNative(Platform& p, bool isWow64, const std::u16string& path) {
  std::uint64_t saved = 0;
  if (isWow64) p.system.disableFsRedirection(saved);
  const bool exists = FileExistsOnReadyDrive(p, path);
  if (isWow64) p.system.revertFsRedirection(saved);
  return exists;
}

std::u16string SysnativePath(Platform& p, bool isWow64, const std::u16string& path) {
  constexpr std::u16string_view kFrom = u"\\SYSTEM32\\";
  constexpr std::u16string_view kTo = u"\\Sysnative\\";
  if (!isWow64) return path;
  const std::u16string upper = upperAscii(path);
  if (upper.find(kFrom) == std::u16string::npos) return path;
  std::u16string rewritten;
  std::size_t from = 0;
  for (std::size_t at = upper.find(kFrom); at != std::u16string::npos;
       at = upper.find(kFrom, from)) {
    rewritten.append(path, from, at - from);
    rewritten += kTo;
    from = at + kFrom.size();
  }
  rewritten.append(path, from, std::u16string::npos);
  // Tested with redirection in force: only a 32-bit process sees the Sysnative alias.
  return FileExistsOnReadyDrive(p, rewritten) ? rewritten : path;
}

}  // namespace rimfold
