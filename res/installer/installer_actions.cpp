// The installer's custom actions (res/rimfold.wxs):
//  CloseRunningRimfold  before files are replaced or removed: a running copy of the installed
//                       exe is asked to close (WM_CLOSE to its hidden main window, so it saves
//                       as at any close) and waited for. Copies run from elsewhere are left.
//  SetSignInEntry       after an install: at the first one (or an upgrade from a package that
//                       had the Startup shortcut on) the per-user Run value Rimfold's tray
//                       item "サインイン時に起動" shows, naming the installed exe; at an
//                       upgrade the value as it was before.
//  StartRimfold         after an install or upgrade: the installed exe, as the signed-in user
//                       and never elevated.
//  RemoveSignInEntry    after an uninstall: the Run value, when it names the installed exe.
// None of them fails the installation: each is a convenience around the files.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

namespace {

constexpr DWORD kWaitMs = 10000;
// As Rimfold keeps them (src/system/sign_in.h); the desktop case checks that both agree.
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t kSignInValue[] = L"Rimfold";

// [INSTALLDIR]Rimfold.exe, or false when the property is empty or too long.
bool installedExe(MSIHANDLE install, wchar_t (&exe)[MAX_PATH]) {
  DWORD size = MAX_PATH - 12;
  if (::MsiGetPropertyW(install, L"INSTALLDIR", exe, &size) != ERROR_SUCCESS || size == 0) {
    return false;
  }
  ::lstrcatW(exe, L"Rimfold.exe");
  return true;
}

struct Search {
  wchar_t exe[MAX_PATH];
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

// The Run value's program: inside the quotes, or the whole text.
bool runValueNames(const wchar_t* command, const wchar_t* exe) {
  wchar_t program[MAX_PATH + 2];
  if (command[0] == L'"') {
    const wchar_t* close = command + 1;
    while (*close != L'\0' && *close != L'"') ++close;
    const auto length = static_cast<int>(close - command - 1);
    if (*close != L'"' || length >= MAX_PATH) return false;
    ::lstrcpynW(program, command + 1, length + 1);
    return ::lstrcmpiW(program, exe) == 0;
  }
  return ::lstrcmpiW(command, exe) == 0;
}

bool elevated() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool yes =
      ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
      elevation.TokenIsElevated != 0;
  ::CloseHandle(token);
  return yes;
}

// An installer run from an elevated prompt would start Rimfold elevated too, and an elevated
// Rimfold is a copy of another kind: it starts instead with the token of the shell, which is
// the user's own.
bool startAsShellUser(wchar_t* commandLine, const wchar_t* folder, PROCESS_INFORMATION& pi) {
  DWORD pid = 0;
  HWND shell = ::GetShellWindow();
  // Without a shell window (Wine sets none) the taskbar's process is the shell.
  if (shell == nullptr) shell = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  if (shell == nullptr || ::GetWindowThreadProcessId(shell, &pid) == 0) return false;
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return false;
  HANDLE token = nullptr;
  HANDLE primary = nullptr;
  bool started = false;
  if (::OpenProcessToken(process, TOKEN_DUPLICATE, &token) &&
      ::DuplicateTokenEx(token,
                         TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY |
                             TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID,
                         nullptr, SecurityImpersonation, TokenPrimary, &primary)) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started = ::CreateProcessWithTokenW(primary, 0, nullptr, commandLine, 0, nullptr, folder, &si,
                                        &pi) != FALSE;
  }
  if (primary != nullptr) ::CloseHandle(primary);
  if (token != nullptr) ::CloseHandle(token);
  ::CloseHandle(process);
  return started;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CloseRunningRimfold(MSIHANDLE install) {
  Search s{};
  if (!installedExe(install, s.exe)) return ERROR_SUCCESS;
  ::EnumWindows(&collect, reinterpret_cast<LPARAM>(&s));
  for (int i = 0; i < s.count; ++i) ::PostMessageW(s.windows[i], WM_CLOSE, 0, 0);
  if (s.count > 0)
    ::WaitForMultipleObjects(static_cast<DWORD>(s.count), s.processes, TRUE, kWaitMs);
  for (int i = 0; i < s.count; ++i) ::CloseHandle(s.processes[i]);
  // A copy that does not close is replaced at the next start.
  return ERROR_SUCCESS;
}

// A property's value, empty when it is not set or does not fit.
template <DWORD N>
void property(MSIHANDLE install, const wchar_t* name, wchar_t (&value)[N]) {
  DWORD size = N;
  if (::MsiGetPropertyW(install, name, value, &size) != ERROR_SUCCESS) value[0] = L'\0';
}

extern "C" __declspec(dllexport) UINT __stdcall SetSignInEntry(MSIHANDLE install) {
  wchar_t exe[MAX_PATH];
  if (!installedExe(install, exe)) return ERROR_SUCCESS;
  wchar_t upgrade[64];
  wchar_t oldFeature[16];
  wchar_t command[MAX_PATH + 2];
  property(install, L"WIX_UPGRADE_DETECTED", upgrade);
  property(install, L"OLDSTARTUPFEATURE", oldFeature);
  if (upgrade[0] != L'\0' && oldFeature[0] == L'\0') {
    // The user's choice: on again only when it was on for this exe. The value is compared by
    // its start: Wine's search hands it over without its last character. An entry of another
    // copy was never touched.
    wchar_t before[MAX_PATH + 64];
    property(install, L"SIGNINENTRY", before);
    const int length = ::lstrlenW(exe);
    if (before[0] != L'"' || ::lstrlenW(before) < length + 1) return ERROR_SUCCESS;
    before[length + 1] = L'\0';
    if (::lstrcmpiW(before + 1, exe) != 0) return ERROR_SUCCESS;
  }
  ::wsprintfW(command, L"\"%s\"", exe);
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  ::RegSetValueExW(key, kSignInValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                   static_cast<DWORD>(::lstrlenW(command) + 1) * DWORD{sizeof(wchar_t)});
  ::RegCloseKey(key);
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall RemoveSignInEntry(MSIHANDLE install) {
  wchar_t exe[MAX_PATH];
  if (!installedExe(install, exe)) return ERROR_SUCCESS;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  wchar_t command[MAX_PATH + 64] = {};
  DWORD type = 0;
  DWORD size = sizeof command - sizeof(wchar_t);
  // An entry set from another copy (an unzipped one) is that copy's.
  if (::RegQueryValueExW(key, kSignInValue, nullptr, &type, reinterpret_cast<BYTE*>(command),
                         &size) == ERROR_SUCCESS &&
      type == REG_SZ && runValueNames(command, exe)) {
    ::RegDeleteValueW(key, kSignInValue);
    HKEY approved = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kStartupApprovedKey, 0, KEY_SET_VALUE, &approved) ==
        ERROR_SUCCESS) {
      ::RegDeleteValueW(approved, kSignInValue);
      ::RegCloseKey(approved);
    }
  }
  ::RegCloseKey(key);
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall StartRimfold(MSIHANDLE install) {
  wchar_t exe[MAX_PATH];
  if (!installedExe(install, exe)) return ERROR_SUCCESS;
  wchar_t folder[MAX_PATH];
  ::lstrcpyW(folder, exe);
  folder[::lstrlenW(folder) - 11] = L'\0';  // without "Rimfold.exe"
  wchar_t commandLine[MAX_PATH + 2];
  ::wsprintfW(commandLine, L"\"%s\"", exe);
  PROCESS_INFORMATION pi{};
  // Where the shell's token cannot be had, Rimfold starts as the installer runs.
  bool started = elevated() && startAsShellUser(commandLine, folder, pi);
  if (!started) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    started = ::CreateProcessW(exe, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                               &pi) != FALSE;
  }
  if (started) {
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  return ERROR_SUCCESS;
}
