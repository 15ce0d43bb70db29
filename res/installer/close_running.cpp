// The installer's custom action: a running copy of the installed Rimfold is asked to close
// (WM_CLOSE to its hidden main window, so it saves as at any close) and waited for, before
// its files are replaced or removed. Copies run from elsewhere are left alone.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

namespace {

constexpr DWORD kWaitMs = 10000;

struct Search {
  wchar_t exe[MAX_PATH];  // the installed exe's full path
  HANDLE processes[16];
  HWND windows[16];
  int count;
};

BOOL CALLBACK collect(HWND w, LPARAM lParam) {
  auto& s = *reinterpret_cast<Search*>(lParam);
  wchar_t name[32];
  if (::GetClassNameW(w, name, 32) == 0 || ::lstrcmpW(name, L"TMainForm") != 0) return TRUE;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return TRUE;
  wchar_t path[MAX_PATH];
  DWORD size = MAX_PATH;
  if (::QueryFullProcessImageNameW(process, 0, path, &size) && ::lstrcmpiW(path, s.exe) == 0 &&
      s.count < 16) {
    s.processes[s.count] = process;
    s.windows[s.count] = w;
    ++s.count;
  } else {
    ::CloseHandle(process);
  }
  return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CloseRunningRimfold(MSIHANDLE install) {
  Search s{};
  DWORD size = MAX_PATH - 12;
  if (::MsiGetPropertyW(install, L"INSTALLDIR", s.exe, &size) != ERROR_SUCCESS || size == 0) {
    return ERROR_SUCCESS;
  }
  ::lstrcatW(s.exe, L"Rimfold.exe");
  ::EnumWindows(&collect, reinterpret_cast<LPARAM>(&s));
  for (int i = 0; i < s.count; ++i) ::PostMessageW(s.windows[i], WM_CLOSE, 0, 0);
  if (s.count > 0) ::WaitForMultipleObjects(static_cast<DWORD>(s.count), s.processes, TRUE, kWaitMs);
  for (int i = 0; i < s.count; ++i) ::CloseHandle(s.processes[i]);
  // Never fails the installation: a copy that does not close is replaced at the next start.
  return ERROR_SUCCESS;
}
