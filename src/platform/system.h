// Processes, files, registry, versions and the ANSI code page: what the core asks of kernel32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace rimfold {

inline constexpr std::uint32_t kProcessQueryInformationVmRead = 0x0410;

enum class ReadResult {
  Ok,
  Missing,   // no such file
  Failed,    // it exists but could not be read (another program holds it)
  TooLarge,  // larger than the caller's limit: not read at all
};

// The one temporary file that writeFileReplacing writes beside path, then renames over it.
inline std::u16string replacingTempPath(const std::u16string& path) { return path + u".tmp"; }

class ISystem {
 public:
  virtual ~ISystem() = default;

  // Processes
  virtual KernelHandle openProcess(std::uint32_t access, std::uint32_t processId) = 0;
  virtual void closeHandle(KernelHandle h) = 0;
  // GetModuleFileNameExW of the main module, 260 units; false on failure.
  virtual bool getModuleFileNameEx(KernelHandle process, std::u16string& out) = 0;
  // GetProcessImageFileNameW from Psapi.dll loaded from the system directory, 260 units.
  virtual bool getProcessImageFileName(KernelHandle process, std::u16string& out) = 0;
  virtual std::uint32_t getLogicalDrives() = 0;
  // QueryDosDeviceW: the first target of a device name such as "C:".
  virtual std::u16string queryDosDevice(const std::u16string& device) = 0;
  // Whether the process runs at a higher integrity level than this one (an elevated program
  // while this one is not): the system then refuses this process every move of its windows.
  // nullopt where it cannot be told (no integrity levels before Vista, no access).
  virtual std::optional<bool> runsAtHigherIntegrity(std::uint32_t processId) = 0;

  // Versions and bitness
  virtual OsVersion getVersion() = 0;
  virtual std::u16string getSystemDirectory() = 0;
  // IsWow64Process for this process; nullopt when the function does not exist.
  virtual std::optional<bool> isWow64Process() = 0;
  // Wow64DisableWow64FsRedirection / Wow64RevertWow64FsRedirection.
  virtual bool disableFsRedirection(std::uint64_t& saved) = 0;
  virtual bool revertFsRedirection(std::uint64_t saved) = 0;

  // Files and folders
  virtual bool createDirectory(const std::u16string& path) = 0;
  virtual bool directoryExists(const std::u16string& path) = 0;
  virtual bool fileExists(const std::u16string& path) = 0;
  // GetDiskFreeSpaceExW of "X:\" with SEM_FAILCRITICALERRORS in force during the call.
  virtual bool driveRootReady(char16_t upperLetter) = 0;
  virtual std::u16string getFullPathName(const std::u16string& path) = 0;
  // The name FindFirstFileW reports for the last component of path.
  virtual std::optional<std::u16string> findFileName(const std::u16string& path) = 0;
  // The whole file, when it holds at most maxBytes.
  virtual ReadResult readFile(const std::u16string& path, std::string& bytes,
                              std::uint64_t maxBytes) = 0;
  // CreateFile(GENERIC_READ, share 0, OPEN_EXISTING), closed at once.
  virtual bool canOpenExclusive(const std::u16string& path) = 0;
  // Writes replacingTempPath(path) and renames it over path: a save cut off at any point
  // leaves the old file or the new one, and at most that one temporary file.
  virtual bool writeFileReplacing(const std::u16string& path, std::string_view bytes) = 0;
  virtual bool deleteFile(const std::u16string& path) = 0;
  // Names (without folder) of the files in folder that match a FindFirstFile pattern.
  virtual std::vector<std::u16string> findFiles(const std::u16string& folder,
                                                const std::u16string& pattern) = 0;
  virtual bool setCurrentDirectory(const std::u16string& path) = 0;
  virtual std::u16string getCurrentDirectory() = 0;
  // Full path of the running executable.
  virtual std::u16string getModuleFileName() = 0;

  // HKEY_LOCAL_MACHINE, read-only; nullopt when the key or value is missing.
  virtual std::optional<std::uint32_t> readHklmDword(const std::u16string& key,
                                                     const std::u16string& value) = 0;
  // HKEY_CURRENT_USER. A string value (REG_SZ, REG_EXPAND_SZ unexpanded); nullopt when the
  // key or the value is missing or is of another type.
  virtual std::optional<std::u16string> readHkcuString(const std::u16string& key,
                                                       const std::u16string& value) = 0;
  // The value's bytes whatever its type; nullopt when it is missing.
  virtual std::optional<std::string> readHkcuBytes(const std::u16string& key,
                                                   const std::u16string& value) = 0;
  // Writes a REG_SZ, creating the key; false when it could not be written.
  virtual bool writeHkcuString(const std::u16string& key, const std::u16string& value,
                               const std::u16string& text) = 0;
  // True when the value is gone afterwards, also when it was never there.
  virtual bool deleteHkcuValue(const std::u16string& key, const std::u16string& value) = 0;
};

}  // namespace rimfold
