// A fresh folder under the temporary directory, removed with everything in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace rimfold::win32::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& path() const { return path_; }
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Names of the entries, "." and ".." left out.
  std::vector<std::wstring> entries() const;

 private:
  std::wstring path_;
};

bool writeBytes(const std::wstring& path, const std::string& bytes);
std::string readBytes(const std::wstring& path);

}  // namespace rimfold::win32::test
