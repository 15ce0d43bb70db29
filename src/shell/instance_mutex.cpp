#include "shell/instance_mutex.h"

#include <shellapi.h>

#include "platform/win32/win32_convert.h"

namespace rimfold::shell {

app::MutexOpen openMutex(const char16_t* name) {
  win32::UniqueMutex m(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, win32::wide(name)));
  if (m.valid()) return app::MutexOpen::Opened;
  switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND: return app::MutexOpen::NotFound;
    case ERROR_ACCESS_DENIED: return app::MutexOpen::AccessDenied;
    default: return app::MutexOpen::OtherError;
  }
}

win32::UniqueMutex createInstanceMutex(const char16_t* name, bool& alreadyExisted) {
  win32::UniqueMutex m(::CreateMutexW(nullptr, FALSE, win32::wide(name)));
  alreadyExisted = m.valid() && ::GetLastError() == ERROR_ALREADY_EXISTS;
  return m;
}

std::u16string firstArgument(const wchar_t* commandLine) {
  if (commandLine == nullptr) return {};
  int count = 0;
  LPWSTR* args = ::CommandLineToArgvW(commandLine, &count);
  if (args == nullptr) return {};
  std::u16string first;
  if (count > 1) first = win32::fromWide(std::wstring_view(args[1]));
  ::LocalFree(args);
  return first;
}

}  // namespace rimfold::shell
