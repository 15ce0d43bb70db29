// The fake desktop as ISystem: processes, versions, registry, files.
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

namespace {

// The root of a path ("C:\" or "\\server\share") and its length, or 0 when relative.
std::size_t rootLength(std::u16string_view p) {
  if (p.size() >= 2 && p[1] == u':') return (p.size() >= 3 && p[2] == u'\\') ? 3 : 2;
  if (p.size() >= 2 && p[0] == u'\\' && p[1] == u'\\') {
    std::size_t slashes = 0;
    for (std::size_t i = 2; i < p.size(); ++i) {
      if (p[i] == u'\\' && ++slashes == 2) return i;
    }
    return p.size();
  }
  return 0;
}

std::u16string lastComponent(const std::u16string& p) {
  const auto pos = p.find_last_of(u'\\');
  return pos == std::u16string::npos ? p : p.substr(pos + 1);
}

}  // namespace

// ---------------------------------------------------------------- ISystem: processes

KernelHandle FakeDesktop::openProcess(std::uint32_t access, std::uint32_t processId) {
  tick(Op::OpenProcess);
  openAccessLog_.push_back(access);
  auto it = processes_.find(processId);
  if (it == processes_.end() || it->second.openFails) return 0;
  nextKernelHandle_ += 4;
  openHandles_[nextKernelHandle_] = processId;
  return nextKernelHandle_;
}

void FakeDesktop::closeHandle(KernelHandle h) {
  tick(Op::CloseHandle);
  openHandles_.erase(h);
}

bool FakeDesktop::getModuleFileNameEx(KernelHandle process, std::u16string& out) {
  tick(Op::GetModuleFileNameEx);
  auto h = openHandles_.find(process);
  if (h == openHandles_.end()) return false;
  const auto& p = processes_.at(h->second);
  if (!p.moduleFileName) return false;
  out = p.moduleFileName->substr(0, 259);
  return true;
}

bool FakeDesktop::getProcessImageFileName(KernelHandle process, std::u16string& out) {
  tick(Op::GetProcessImageFileName);
  auto h = openHandles_.find(process);
  if (h == openHandles_.end()) return false;
  const auto& p = processes_.at(h->second);
  if (!p.imageFileName) return false;
  out = p.imageFileName->substr(0, 259);
  return true;
}

std::uint32_t FakeDesktop::getLogicalDrives() {
  tick(Op::GetLogicalDrives);
  std::uint32_t mask = 0;
  for (const auto& [letter, d] : drives_) mask |= 1u << (letter - u'A');
  return mask;
}

std::u16string FakeDesktop::queryDosDevice(const std::u16string& device) {
  tick(Op::QueryDosDevice);
  if (device.size() != 2 || device[1] != u':') return {};
  char16_t letter = device[0];
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  auto it = drives_.find(letter);
  return it == drives_.end() ? std::u16string{} : it->second.device;
}

std::optional<bool> FakeDesktop::runsAtHigherIntegrity(std::uint32_t processId) {
  tick(Op::RunsAtHigherIntegrity);
  auto it = processes_.find(processId);
  return it == processes_.end() ? std::nullopt : it->second.higherIntegrity;
}

// ---------------------------------------------------------------- ISystem: versions

void FakeDesktop::setVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  version_.major = major;
  version_.minor = minor;
  version_.build = build;
}

OsVersion FakeDesktop::getVersion() {
  tick(Op::GetVersion);
  return version_;
}

std::u16string FakeDesktop::getSystemDirectory() {
  tick(Op::GetSystemDirectory);
  return systemDirectory_;
}

std::optional<bool> FakeDesktop::isWow64Process() {
  tick(Op::IsWow64Process);
  return wow64_;
}

bool FakeDesktop::disableFsRedirection(std::uint64_t& saved) {
  tick(Op::DisableFsRedirection);
  if (wow64_ != true) return false;
  saved = static_cast<std::uint64_t>(0xF50000 + redirectionDepth_);
  ++redirectionDepth_;
  return true;
}

bool FakeDesktop::revertFsRedirection(std::uint64_t saved) {
  tick(Op::RevertFsRedirection);
  if (wow64_ != true || redirectionDepth_ == 0) return false;
  if (saved != static_cast<std::uint64_t>(0xF50000 + redirectionDepth_ - 1)) return false;
  --redirectionDepth_;
  return true;
}

void FakeDesktop::setHklmDword(const std::u16string& key, const std::u16string& value,
                               std::uint32_t v) {
  std::u16string_view k = key;
  while (!k.empty() && k.front() == u'\\') k.remove_prefix(1);
  registry_[foldCase(k) + u"|" + foldCase(value)] = v;
}

void FakeDesktop::removeHklmValue(const std::u16string& key, const std::u16string& value) {
  std::u16string_view k = key;
  while (!k.empty() && k.front() == u'\\') k.remove_prefix(1);
  registry_.erase(foldCase(k) + u"|" + foldCase(value));
}

std::optional<std::uint32_t> FakeDesktop::readHklmDword(const std::u16string& key,
                                                        const std::u16string& value) {
  tick(Op::ReadHklmDword);
  std::u16string_view k = key;
  while (!k.empty() && k.front() == u'\\') k.remove_prefix(1);
  auto it = registry_.find(foldCase(k) + u"|" + foldCase(value));
  if (it == registry_.end()) return std::nullopt;
  return it->second;
}

namespace {
std::u16string hkcuKey(const std::u16string& key, const std::u16string& value) {
  return foldCase(key) + u"|" + foldCase(value);
}
}  // namespace

void FakeDesktop::setHkcuBytes(const std::u16string& key, const std::u16string& value,
                               std::string bytes) {
  hkcu_[hkcuKey(key, value)] = HkcuValue{std::nullopt, std::move(bytes)};
}

std::optional<std::u16string> FakeDesktop::readHkcuString(const std::u16string& key,
                                                          const std::u16string& value) {
  tick(Op::ReadHkcu);
  auto it = hkcu_.find(hkcuKey(key, value));
  if (it == hkcu_.end()) return std::nullopt;
  return it->second.text;
}

std::optional<std::string> FakeDesktop::readHkcuBytes(const std::u16string& key,
                                                      const std::u16string& value) {
  tick(Op::ReadHkcu);
  auto it = hkcu_.find(hkcuKey(key, value));
  if (it == hkcu_.end()) return std::nullopt;
  if (!it->second.text) return it->second.bytes;
  const std::u16string& t = *it->second.text;
  return std::string(reinterpret_cast<const char*>(t.c_str()), (t.size() + 1) * 2);
}

bool FakeDesktop::writeHkcuString(const std::u16string& key, const std::u16string& value,
                                  const std::u16string& text) {
  tick(Op::WriteHkcu);
  if (hkcuWritesFail_) return false;
  hkcu_[hkcuKey(key, value)] = HkcuValue{text, {}};
  return true;
}

bool FakeDesktop::deleteHkcuValue(const std::u16string& key, const std::u16string& value) {
  tick(Op::DeleteHkcu);
  if (hkcuWritesFail_) return false;
  hkcu_.erase(hkcuKey(key, value));
  return true;
}

// ---------------------------------------------------------------- ISystem: files

std::u16string FakeDesktop::keyOf(std::u16string_view path) {
  std::u16string p(path);
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (p.size() == 2 && p[1] == u':') p += u'\\';
  while (p.size() > std::max<std::size_t>(rootLength(p), 1) && p.back() == u'\\') p.pop_back();
  return foldCase(p);
}

std::u16string FakeDesktop::parentOf(const std::u16string& path) {
  const std::size_t root = rootLength(path);
  const auto pos = path.find_last_of(u'\\');
  if (pos == std::u16string::npos || path.size() <= root) return {};
  if (pos < root) return path.substr(0, root);
  return path.substr(0, std::max(pos, root));
}

std::u16string FakeDesktop::resolve(const std::u16string& path) const {
  std::u16string p = path;
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (shortNames_.empty()) return p;
  const std::size_t root = rootLength(p);
  std::u16string built = p.substr(0, root);
  std::size_t i = root;
  while (i < p.size()) {
    std::size_t j = p.find(u'\\', i);
    if (j == std::u16string::npos) j = p.size();
    if (!built.empty() && built.back() != u'\\') built += u'\\';
    built += p.substr(i, j - i);
    auto it = shortNames_.find(keyOf(built));
    if (it != shortNames_.end()) built = it->second;
    i = j + 1;
  }
  return built;
}

bool FakeDesktop::driveOfPathReady(const std::u16string& path) const {
  char16_t letter = 0;
  if (path.size() >= 2 && path[1] == u':') {
    letter = path[0];
  } else if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
    return true;
  } else if (currentDirectory_.size() >= 2 && currentDirectory_[1] == u':') {
    letter = currentDirectory_[0];
  }
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  auto it = drives_.find(letter);
  if (it == drives_.end()) return false;
  if (!it->second.ready) {
    ++diskPrompts_;
    return false;
  }
  return true;
}

void FakeDesktop::setDrive(char16_t letter, FakeDrive d) {
  drives_[letter] = std::move(d);
  const std::u16string root = std::u16string(1, letter) + u":\\";
  dirs_[keyOf(root)] = root;
}

void FakeDesktop::removeDrive(char16_t letter) { drives_.erase(letter); }

void FakeDesktop::addDirectory(const std::u16string& path) {
  const std::u16string parent = parentOf(path);
  if (!parent.empty() && parent != path && dirs_.count(keyOf(parent)) == 0) addDirectory(parent);
  std::u16string spelling = path;
  while (spelling.size() > std::max<std::size_t>(rootLength(spelling), 1) &&
         spelling.back() == u'\\') {
    spelling.pop_back();
  }
  dirs_.emplace(keyOf(path), spelling);
}

void FakeDesktop::addFile(const std::u16string& path, std::string bytes) {
  const std::u16string parent = parentOf(path);
  if (!parent.empty()) addDirectory(parent);
  FileRec& f = files_[keyOf(path)];
  f.spelling = path;
  f.bytes = std::move(bytes);
}

void FakeDesktop::removeFile(const std::u16string& path) { files_.erase(keyOf(resolve(path))); }

std::optional<std::string> FakeDesktop::fileBytes(const std::u16string& path) const {
  auto it = files_.find(keyOf(resolve(path)));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

std::vector<std::u16string> FakeDesktop::namesIn(const std::u16string& folder) const {
  const std::u16string folderKey = keyOf(resolve(folder));
  std::map<std::u16string, std::u16string> names;
  for (const auto& [key, file] : files_) {
    if (parentOf(key) == folderKey) names[key] = lastComponent(file.spelling);
  }
  for (const auto& [key, spelling] : dirs_) {
    if (parentOf(key) == folderKey) names[key] = lastComponent(spelling);
  }
  std::vector<std::u16string> out;
  for (auto& [key, name] : names) out.push_back(std::move(name));
  return out;
}

void FakeDesktop::lockFile(const std::u16string& path, FileLock lock, std::int64_t forMs) {
  FileRec& f = files_.at(keyOf(resolve(path)));
  f.lock = lock;
  f.lockEnds = forMs < 0 ? -1 : now_ + forMs;
}

FileLock FakeDesktop::lockOf(const FileRec& f) const {
  return f.lockEnds >= 0 && now_ >= f.lockEnds ? FileLock::None : f.lock;
}

void FakeDesktop::addShortName(const std::u16string& shortPath, const std::u16string& longPath) {
  shortNames_[keyOf(shortPath)] = longPath;
}

void FakeDesktop::setFailCreateDirectory(const std::u16string& path) {
  failCreate_.push_back(keyOf(path));
}

bool FakeDesktop::createDirectory(const std::u16string& path) {
  tick(Op::CreateDirectory);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  const std::u16string key = keyOf(p);
  if (std::find(failCreate_.begin(), failCreate_.end(), key) != failCreate_.end()) return false;
  if (dirs_.count(key) != 0 || files_.count(key) != 0) return false;
  const std::u16string parent = parentOf(p);
  if (parent.empty() || dirs_.count(keyOf(parent)) == 0) return false;  // one level only
  addDirectory(p);
  return true;
}

bool FakeDesktop::directoryExists(const std::u16string& path) {
  tick(Op::DirectoryExists);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  return dirs_.count(keyOf(p)) != 0;
}

bool FakeDesktop::fileExists(const std::u16string& path) {
  tick(Op::FileExists);
  const std::u16string p = resolve(path);
  if (p.empty() || !driveOfPathReady(p)) return false;
  return files_.count(keyOf(p)) != 0;
}

bool FakeDesktop::driveRootReady(char16_t upperLetter) {
  tick(Op::DriveRootReady);
  auto it = drives_.find(upperLetter);
  return it != drives_.end() && it->second.ready;
}

std::u16string FakeDesktop::getFullPathName(const std::u16string& path) {
  tick(Op::GetFullPathName);
  std::u16string p = path;
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (rootLength(p) == 0) {
    if (!p.empty() && p[0] == u'\\') {
      p = currentDirectory_.substr(0, 2) + p;
    } else {
      p = currentDirectory_ + (currentDirectory_.ends_with(u'\\') ? u"" : u"\\") + p;
    }
  } else if (rootLength(p) == 2 && p.size() > 2 && p[0] != u'\\') {
    p.insert(2, u"\\");  // "C:x" taken relative to the root
  }
  const std::size_t root = rootLength(p);
  std::vector<std::u16string> parts;
  std::size_t i = root;
  while (i <= p.size()) {
    std::size_t j = p.find(u'\\', i);
    if (j == std::u16string::npos) j = p.size();
    const std::u16string part = p.substr(i, j - i);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::u16string out = p.substr(0, root);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    if (!out.empty() && out.back() != u'\\') out += u'\\';
    out += parts[k];
  }
  if (p.size() > root && p.back() == u'\\' && !out.ends_with(u'\\')) out += u'\\';
  return out;
}

std::optional<std::u16string> FakeDesktop::findFileName(const std::u16string& path) {
  tick(Op::FindFileName);
  const std::u16string p = resolve(path);
  if (p.size() <= rootLength(p) || !driveOfPathReady(p)) return std::nullopt;
  const std::u16string key = keyOf(p);
  if (auto f = files_.find(key); f != files_.end()) return lastComponent(f->second.spelling);
  if (auto d = dirs_.find(key); d != dirs_.end()) return lastComponent(d->second);
  return std::nullopt;
}

ReadResult FakeDesktop::readFile(const std::u16string& path, std::string& bytes,
                                 std::uint64_t maxBytes) {
  tick(Op::ReadFile);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return ReadResult::Missing;
  auto it = files_.find(keyOf(p));
  // A folder of that name cannot be opened as a file: it is there, not missing.
  if (it == files_.end())
    return dirs_.count(keyOf(p)) != 0 ? ReadResult::Failed : ReadResult::Missing;
  const FileLock lock = lockOf(it->second);
  if (lock == FileLock::Exclusive || lock == FileLock::OpenForWriting) return ReadResult::Failed;
  if (it->second.bytes.size() > maxBytes) return ReadResult::TooLarge;
  bytes = it->second.bytes;
  return ReadResult::Ok;
}

bool FakeDesktop::canOpenExclusive(const std::u16string& path) {
  tick(Op::CanOpenExclusive);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  auto it = files_.find(keyOf(p));
  return it != files_.end() && lockOf(it->second) == FileLock::None;
}

bool FakeDesktop::writeFileReplacing(const std::u16string& path, std::string_view bytes) {
  tick(Op::WriteFileReplacing);
  const std::u16string p = resolve(path);
  if (writesFail_ || !driveOfPathReady(p)) return false;
  const std::u16string parent = parentOf(p);
  if (parent.empty() || dirs_.count(keyOf(parent)) == 0) return false;
  const std::u16string key = keyOf(p);
  // The temporary file beside it goes either way: renamed over the file, or deleted when
  // the rename is refused.
  files_.erase(keyOf(replacingTempPath(p)));
  if (dirs_.count(key) != 0) return false;
  auto it = files_.find(key);
  // Another process's open handle blocks the replacement.
  if (it != files_.end() && lockOf(it->second) != FileLock::None) return false;
  FileRec& f = files_[key];
  if (f.spelling.empty()) f.spelling = p;
  f.bytes.assign(bytes);
  ++writeCount_;
  return true;
}

bool FakeDesktop::deleteFile(const std::u16string& path) {
  tick(Op::DeleteFile);
  auto it = files_.find(keyOf(resolve(path)));
  if (it == files_.end() || lockOf(it->second) != FileLock::None) return false;
  files_.erase(it);
  return true;
}

std::vector<std::u16string> FakeDesktop::findFiles(const std::u16string& folder,
                                                   const std::u16string& pattern) {
  tick(Op::FindFiles);
  // '*' and '?' as FindFirstFile takes them, without regard to letter case.
  const std::function<bool(std::u16string_view, std::u16string_view)> matches =
      [&](std::u16string_view name, std::u16string_view pat) {
        if (pat.empty()) return name.empty();
        if (pat[0] == u'*') {
          for (std::size_t i = 0; i <= name.size(); ++i) {
            if (matches(name.substr(i), pat.substr(1))) return true;
          }
          return false;
        }
        return !name.empty() && (pat[0] == u'?' || pat[0] == name[0]) &&
               matches(name.substr(1), pat.substr(1));
      };
  const std::u16string folderKey = keyOf(resolve(folder));
  const std::u16string patternKey = foldCase(pattern);
  std::vector<std::u16string> names;
  for (const auto& [key, file] : files_) {
    if (parentOf(key) == folderKey && matches(lastComponent(key), patternKey)) {
      names.push_back(lastComponent(file.spelling));
    }
  }
  return names;
}

bool FakeDesktop::setCurrentDirectory(const std::u16string& path) {
  tick(Op::SetCurrentDirectory);
  const std::u16string p = resolve(path);
  if (!driveOfPathReady(p)) return false;
  auto it = dirs_.find(keyOf(p));
  if (it == dirs_.end()) return false;
  currentDirectory_ = it->second;
  return true;
}

std::u16string FakeDesktop::getCurrentDirectory() {
  tick(Op::GetCurrentDirectory);
  return currentDirectory_;
}

std::u16string FakeDesktop::getModuleFileName() {
  tick(Op::GetModuleFileName);
  return moduleFileName_;
}

}  // namespace rimfold::test
