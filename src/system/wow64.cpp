#include "system/wow64.h"

#include "rtl/text_utils.h"
#include "system/data_dir.h"
#include "system/version.h"

namespace rimfold {

bool IsWow64 = false;

namespace {
std::uint64_t savedRedirection = 0;

char16_t lowerAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

std::u16string lowerAsciiText(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = lowerAscii(c);
  return out;
}
}  // namespace

void InitWow64(Platform& p) {
  if (const auto answer = p.system.isWow64Process()) {
    IsWow64 = *answer;
  } else {
    IsWow64 = isAtLeast(p.system.getVersion(), 5, 2);
  }
}

void DisableFsRedirection(Platform& p) {
  if (IsWow64) p.system.disableFsRedirection(savedRedirection);
}

void RevertFsRedirection(Platform& p) {
  if (IsWow64) p.system.revertFsRedirection(savedRedirection);
}

bool FileExistsNative(Platform& p, const std::u16string& path) {
  DisableFsRedirection(p);
  const bool exists = FileExistsOnReadyDrive(p, path);
  RevertFsRedirection(p);
  return exists;
}

std::u16string SysnativePath(Platform& p, const std::u16string& path) {
  static constexpr std::u16string_view kFrom = u"\\system32\\";
  static constexpr std::u16string_view kTo = u"\\Sysnative\\";
  const std::u16string lower = lowerAsciiText(path);
  if (!IsWow64 || lower.find(kFrom) == std::u16string::npos) return path;
  std::u16string out;
  std::size_t from = 0;
  for (auto at = lower.find(kFrom); at != std::u16string::npos; at = lower.find(kFrom, from)) {
    out.append(path, from, at - from);
    out.append(kTo);
    from = at + kFrom.size();
  }
  out.append(path, from, std::u16string::npos);
  return FileExistsOnReadyDrive(p, out) ? out : path;
}

}  // namespace rimfold
