#include "engine/process_path.h"

#include "rtl/text_utils.h"
#include "system/data_dir.h"

namespace rimfold {

std::u16string Func_ProcessImagePath(Platform& p, std::uint32_t processId) {
  // A failed open is not tested: the queries below then fail on the null handle.
  const KernelHandle process = p.system.openProcess(kProcessQueryInformationVmRead, processId);
  std::u16string path;
  if (!p.system.getModuleFileNameEx(process, path)) {
    path.clear();
    std::u16string devicePath;
    if (p.system.getProcessImageFileName(process, devicePath)) {
      path = translateDevicePath(p, devicePath);
    }
  }
  p.system.closeHandle(process);
  return path;
}

std::u16string identityImagePath(Platform& p, std::uint32_t processId) {
  const std::u16string path = Func_ProcessImagePath(p, processId);
  return FileExistsOnReadyDrive(p, path) ? longPathOf(p, path) : path;
}

std::u16string translateDevicePath(Platform& p, const std::u16string& devicePath) {
  const std::uint32_t drives = p.system.getLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((drives & (1u << i)) == 0) continue;
    const std::u16string drive{static_cast<char16_t>(u'A' + i), u':'};
    const std::u16string target = p.system.queryDosDevice(drive);
    if (target.empty()) continue;
    // The target must end at a path separator: Volume1 is no prefix of Volume10.
    if (devicePath.size() > target.size() && devicePath.compare(0, target.size(), target) == 0 &&
        devicePath[target.size()] == u'\\') {
      return drive + devicePath.substr(target.size());
    }
  }
  return devicePath;
}

std::u16string longPathOf(Platform& p, const std::u16string& path) {
  const std::u16string full = p.system.getFullPathName(path);
  if (full.empty()) return path;
  // The root ("C:\" or "\\server\share\") is kept as it is.
  std::size_t rootEnd = 0;
  if (full.size() >= 2 && full[0] == u'\\' && full[1] == u'\\') {
    int slashes = 0;
    rootEnd = full.size();
    for (std::size_t i = 2; i < full.size(); ++i) {
      if (full[i] == u'\\' && ++slashes == 2) {
        rootEnd = i + 1;
        break;
      }
    }
  } else if (full.size() >= 2 && full[1] == u':') {
    rootEnd = (full.size() >= 3 && full[2] == u'\\') ? 3 : 2;
  }
  std::vector<std::u16string> parts;
  for (std::size_t i = rootEnd; i <= full.size();) {
    std::size_t j = full.find(u'\\', i);
    if (j == std::u16string::npos) j = full.size();
    parts.push_back(full.substr(i, j - i));
    i = j + 1;
  }
  const std::u16string root = full.substr(0, rootEnd);
  auto prefixUpTo = [&](std::size_t last) {
    std::u16string s = root;
    for (std::size_t k = 0; k <= last; ++k) {
      if (k > 0) s += u'\\';
      s += parts[k];
    }
    return s;
  };
  for (std::size_t k = parts.size(); k-- > 0;) {
    if (parts[k].empty()) continue;
    if (auto name = p.system.findFileName(prefixUpTo(k))) parts[k] = *name;
  }
  return parts.empty() ? root : prefixUpTo(parts.size() - 1);
}

}  // namespace rimfold
