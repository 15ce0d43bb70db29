#include "platform/win32/win32_system.h"

#include <windows.h>
#include <psapi.h>

#include <cstring>
#include <limits>
#include <utility>

#include "platform/win32/proc_address.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"

namespace rimfold::win32 {

namespace {

constexpr DWORD kPathBufferUnits = MAX_PATH;  // 260

// A library of the system directory, never one found first on the search path.
UniqueModule loadSystemLibrary(ISystem& system, const char16_t* fileName) {
  std::u16string dir = system.getSystemDirectory();
  if (dir.empty()) return UniqueModule{};
  return UniqueModule{::LoadLibraryW(wide(dir + u"\\" + fileName))};
}

// Calls api(buffer, size) with a growing buffer until the answer fits.
template <typename Api>
std::u16string growingBufferCall(Api api) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD n = api(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return fromWide(buffer.data(), n);
    buffer.resize(buffer.size() * 2 > n + 1 ? buffer.size() * 2 : n + 1);
  }
  return {};
}

bool writeAll(HANDLE file, std::string_view bytes) noexcept {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// The mandatory integrity level of a process's token (its label's last sub-authority).
std::optional<DWORD> integrityLevel(HANDLE process) noexcept {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
  const UniqueHandle token(rawToken);
  // A label is a SID of at most a few sub-authorities; this holds any of them.
  alignas(TOKEN_MANDATORY_LABEL) unsigned char
      buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, sizeof(buffer), &size)) {
    return std::nullopt;  // before Vista there are no integrity levels
  }
  const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
  if (!::IsValidSid(sid) || *::GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
  return *::GetSidSubAuthority(sid, *::GetSidSubAuthorityCount(sid) - 1u);
}

}  // namespace

KernelHandle Win32System::openProcess(std::uint32_t access, std::uint32_t processId) noexcept {
  return fromHandle(::OpenProcess(access, FALSE, processId));
}

void Win32System::closeHandle(KernelHandle h) noexcept {
  if (h != 0) ::CloseHandle(toHandle(h));
}

bool Win32System::getModuleFileNameEx(KernelHandle process, std::u16string& out) {
  wchar_t buffer[kPathBufferUnits] = {};
  DWORD n = ::GetModuleFileNameExW(toHandle(process), nullptr, buffer, kPathBufferUnits);
  if (n == 0) return false;
  out = fromWideBuffer(buffer);
  return true;
}

bool Win32System::getProcessImageFileName(KernelHandle process, std::u16string& out) {
  using GetProcessImageFileNameFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);
  UniqueModule psapi = loadSystemLibrary(*this, u"Psapi.dll");
  if (!psapi) return false;
  auto fn = procAddress<GetProcessImageFileNameFn>(psapi.get(), "GetProcessImageFileNameW");
  if (!fn) return false;
  wchar_t buffer[kPathBufferUnits] = {};
  if (fn(toHandle(process), buffer, kPathBufferUnits) == 0) return false;
  out = fromWideBuffer(buffer);
  return true;
}

std::uint32_t Win32System::getLogicalDrives() noexcept { return ::GetLogicalDrives(); }

std::u16string Win32System::queryDosDevice(const std::u16string& device) {
  // The answer is a list of NUL-terminated targets; the first one is the mapping in force.
  wchar_t buffer[1024] = {};
  if (::QueryDosDeviceW(wide(device), buffer, static_cast<DWORD>(std::size(buffer))) == 0) {
    return {};
  }
  return fromWideBuffer(buffer);
}

std::optional<bool> Win32System::runsAtHigherIntegrity(std::uint32_t processId) noexcept {
  static const std::optional<DWORD> own = integrityLevel(::GetCurrentProcess());
  if (!own) return std::nullopt;
  // Limited query rights are granted across integrity levels, where full ones are not.
  const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return std::nullopt;
  const std::optional<DWORD> theirs = integrityLevel(process.get());
  if (!theirs) return std::nullopt;
  return *theirs > *own;
}

OsVersion Win32System::getVersion() noexcept {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  OsVersion v;
  if (::GetVersionExW(&info)) {
    v.major = info.dwMajorVersion;
    v.minor = info.dwMinorVersion;
    v.build = info.dwBuildNumber;
    v.platformId = info.dwPlatformId;
  }
  return v;
}

std::u16string Win32System::getSystemDirectory() {
  wchar_t buffer[kPathBufferUnits] = {};
  UINT n = ::GetSystemDirectoryW(buffer, kPathBufferUnits);
  if (n == 0 || n >= kPathBufferUnits) return {};
  return fromWideBuffer(buffer);
}

std::optional<bool> Win32System::isWow64Process() noexcept {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  auto fn = procAddress<IsWow64ProcessFn>(kernel, "IsWow64Process");
  if (!fn) return std::nullopt;
  BOOL wow64 = FALSE;
  fn(::GetCurrentProcess(), &wow64);
  return wow64 != FALSE;
}

bool Win32System::disableFsRedirection(std::uint64_t& saved) {
  using DisableFn = BOOL(WINAPI*)(PVOID*);
  UniqueModule kernel = loadSystemLibrary(*this, u"Kernel32.dll");
  if (!kernel) return false;
  auto fn = procAddress<DisableFn>(kernel.get(), "Wow64DisableWow64FsRedirection");
  PVOID old = nullptr;
  if (!fn || !fn(&old)) return false;
  saved = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(old));
  return true;
}

bool Win32System::revertFsRedirection(std::uint64_t saved) {
  using RevertFn = BOOL(WINAPI*)(PVOID);
  UniqueModule kernel = loadSystemLibrary(*this, u"Kernel32.dll");
  if (!kernel) return false;
  auto fn = procAddress<RevertFn>(kernel.get(), "Wow64RevertWow64FsRedirection");
  return fn && fn(reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(saved)));
}

bool Win32System::createDirectory(const std::u16string& path) noexcept {
  return ::CreateDirectoryW(wide(path), nullptr) != FALSE;
}

bool Win32System::directoryExists(const std::u16string& path) noexcept {
  DWORD attributes = ::GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32System::fileExists(const std::u16string& path) noexcept {
  DWORD attributes = ::GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32System::driveRootReady(char16_t upperLetter) noexcept {
  const wchar_t root[] = {static_cast<wchar_t>(upperLetter), L':', L'\\', L'\0'};
  // An empty removable drive would otherwise ask for a disk in a system dialog.
  UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  ULARGE_INTEGER available{}, total{}, free{};
  BOOL ready = ::GetDiskFreeSpaceExW(root, &available, &total, &free);
  ::SetErrorMode(previous);
  return ready != FALSE;
}

std::u16string Win32System::getFullPathName(const std::u16string& path) {
  return growingBufferCall([&](wchar_t* buffer, DWORD size) {
    return ::GetFullPathNameW(wide(path), size, buffer, nullptr);
  });
}

std::optional<std::u16string> Win32System::findFileName(const std::u16string& path) {
  WIN32_FIND_DATAW data{};
  UniqueFind find{::FindFirstFileW(wide(path), &data)};
  if (!find) return std::nullopt;
  return fromWideBuffer(data.cFileName);
}

ReadResult Win32System::readFile(const std::u16string& path, std::string& bytes,
                                 std::uint64_t maxBytes) {
  UniqueFile file{::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (!file) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                          : ReadResult::Failed;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return ReadResult::Failed;
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes ||
      static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<DWORD>::max()) {
    return ReadResult::TooLarge;
  }
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done),
                    &read, nullptr)) {
      return ReadResult::Failed;
    }
    if (read == 0) break;  // shorter than its size said: it shrank meanwhile
    done += read;
  }
  content.resize(done);
  bytes = std::move(content);
  return ReadResult::Ok;
}

bool Win32System::canOpenExclusive(const std::u16string& path) noexcept {
  UniqueFile file{::CreateFileW(wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  return file.valid();
}

bool Win32System::writeFileReplacing(const std::u16string& path, std::string_view bytes) {
  // The new content goes to a sibling first, so a failure at any step leaves the old file.
  // Its name is fixed, so a save cut off by a kill leaves one file that the next save
  // overwrites and the next start removes, never a new stray per attempt.
  std::u16string full = getFullPathName(path);
  if (full.empty()) return false;
  const std::u16string temp = replacingTempPath(full);
  bool written = false;
  {
    UniqueFile file{::CreateFileW(wide(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)};
    written = file && writeAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
  }
  if (written &&
      ::MoveFileExW(wide(temp), wide(full), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  ::DeleteFileW(wide(temp));
  return false;
}

bool Win32System::deleteFile(const std::u16string& path) noexcept {
  return ::DeleteFileW(wide(path)) != FALSE;
}

std::vector<std::u16string> Win32System::findFiles(const std::u16string& folder,
                                                   const std::u16string& pattern) {
  std::vector<std::u16string> names;
  std::u16string query = folder;
  if (!query.empty() && query.back() != u'\\') query += u'\\';
  query += pattern;
  WIN32_FIND_DATAW data{};
  UniqueFind find{::FindFirstFileW(wide(query), &data)};
  if (!find) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(fromWideBuffer(data.cFileName));
    }
  } while (::FindNextFileW(find.get(), &data));
  return names;
}

bool Win32System::setCurrentDirectory(const std::u16string& path) noexcept {
  return ::SetCurrentDirectoryW(wide(path)) != FALSE;
}

std::u16string Win32System::getCurrentDirectory() {
  return growingBufferCall(
      [](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); });
}

std::u16string Win32System::getModuleFileName() {
  // GetModuleFileNameW fills the whole buffer (and answers its size) when it is too small.
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return fromWide(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

std::optional<std::uint32_t> Win32System::readHklmDword(const std::u16string& key,
                                                        const std::u16string& value) {
  // Callers write registry paths with a leading backslash, which RegOpenKeyEx rejects.
  std::u16string subKey = key;
  while (!subKey.empty() && subKey.front() == u'\\') subKey.erase(0, 1);
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(subKey), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  UniqueRegKey hkey{opened};
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (::RegQueryValueExW(hkey.get(), wide(value), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(data)) {
    return std::nullopt;
  }
  return data;
}

namespace {

// The value's type and bytes; nullopt when the key or the value is missing.
std::optional<std::pair<DWORD, std::string>> readHkcu(const std::u16string& key,
                                                      const std::u16string& value) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  UniqueRegKey hkey{opened};
  DWORD type = 0;
  DWORD size = 0;
  // The value may change between the two calls: ask again while it grows.
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (::RegQueryValueExW(hkey.get(), wide(value), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::string bytes(size, '\0');
    DWORD got = size;
    const LSTATUS rc = ::RegQueryValueExW(hkey.get(), wide(value), nullptr, &type,
                                          reinterpret_cast<BYTE*>(bytes.data()), &got);
    if (rc == ERROR_SUCCESS) {
      bytes.resize(got);
      return std::pair{type, std::move(bytes)};
    }
    if (rc != ERROR_MORE_DATA) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> Win32System::readHkcuString(const std::u16string& key,
                                                          const std::u16string& value) {
  auto read = readHkcu(key, value);
  if (!read || (read->first != REG_SZ && read->first != REG_EXPAND_SZ)) return std::nullopt;
  const std::string& bytes = read->second;
  std::u16string text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  // Stored strings need not end in a NUL, and may hold more than one.
  if (const auto nul = text.find(u'\0'); nul != std::u16string::npos) text.resize(nul);
  return text;
}

std::optional<std::string> Win32System::readHkcuBytes(const std::u16string& key,
                                                      const std::u16string& value) {
  auto read = readHkcu(key, value);
  if (!read) return std::nullopt;
  return std::move(read->second);
}

bool Win32System::writeHkcuString(const std::u16string& key, const std::u16string& value,
                                  const std::u16string& text) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, wide(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  UniqueRegKey hkey{created};
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
  return ::RegSetValueExW(hkey.get(), wide(value), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32System::deleteHkcuValue(const std::u16string& key, const std::u16string& value) {
  HKEY opened = nullptr;
  const LSTATUS open = ::RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_SET_VALUE, &opened);
  if (open == ERROR_FILE_NOT_FOUND) return true;
  if (open != ERROR_SUCCESS) return false;
  UniqueRegKey hkey{opened};
  const LSTATUS rc = ::RegDeleteValueW(hkey.get(), wide(value));
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace rimfold::win32
