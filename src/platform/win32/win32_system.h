// ISystem over kernel32, psapi and advapi32.
#pragma once

#include "platform/system.h"

namespace rimfold::win32 {

class Win32System final : public ISystem {
 public:
  KernelHandle openProcess(std::uint32_t access, std::uint32_t processId) noexcept override;
  void closeHandle(KernelHandle h) noexcept override;
  bool getModuleFileNameEx(KernelHandle process, std::u16string& out) override;
  bool getProcessImageFileName(KernelHandle process, std::u16string& out) override;
  std::uint32_t getLogicalDrives() noexcept override;
  std::u16string queryDosDevice(const std::u16string& device) override;
  std::optional<bool> runsAtHigherIntegrity(std::uint32_t processId) noexcept override;

  OsVersion getVersion() noexcept override;
  std::u16string getSystemDirectory() override;
  std::optional<bool> isWow64Process() noexcept override;
  bool disableFsRedirection(std::uint64_t& saved) override;
  bool revertFsRedirection(std::uint64_t saved) override;

  bool createDirectory(const std::u16string& path) noexcept override;
  bool directoryExists(const std::u16string& path) noexcept override;
  bool fileExists(const std::u16string& path) noexcept override;
  bool driveRootReady(char16_t upperLetter) noexcept override;
  std::u16string getFullPathName(const std::u16string& path) override;
  std::optional<std::u16string> findFileName(const std::u16string& path) override;
  ReadResult readFile(const std::u16string& path, std::string& bytes,
                      std::uint64_t maxBytes) override;
  bool canOpenExclusive(const std::u16string& path) noexcept override;
  bool writeFileReplacing(const std::u16string& path, std::string_view bytes) override;
  bool deleteFile(const std::u16string& path) noexcept override;
  std::vector<std::u16string> findFiles(const std::u16string& folder,
                                        const std::u16string& pattern) override;
  bool setCurrentDirectory(const std::u16string& path) noexcept override;
  std::u16string getCurrentDirectory() override;
  std::u16string getModuleFileName() override;

  std::optional<std::uint32_t> readHklmDword(const std::u16string& key,
                                             const std::u16string& value) override;
  std::optional<std::u16string> readHkcuString(const std::u16string& key,
                                               const std::u16string& value) override;
  std::optional<std::string> readHkcuBytes(const std::u16string& key,
                                           const std::u16string& value) override;
  bool writeHkcuString(const std::u16string& key, const std::u16string& value,
                       const std::u16string& text) override;
  bool deleteHkcuValue(const std::u16string& key, const std::u16string& value) override;
};

}  // namespace rimfold::win32
