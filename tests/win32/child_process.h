// A second process for the tests: this test program started again in a child mode, so
// that windows and file handles really belong to another process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace rimfold::win32::test {

inline constexpr wchar_t kChildSwitch[] = L"--rimfold-child";
inline constexpr wchar_t kChildWindowClass[] = L"RimfoldTestChildWindow";

class ChildProcess {
 public:
  // Starts "<this exe> --rimfold-child <mode> <ready-event> <args...>" and waits until the
  // child signals that it is ready; nullopt when it exits or times out first. exePath
  // names another copy (or spelling) of this program; empty: this program's own path.
  static std::optional<ChildProcess> start(const std::wstring& mode,
                                           const std::vector<std::wstring>& args,
                                           const std::wstring& exePath = {},
                                           DWORD timeoutMs = 10000);

  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&&) = delete;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  DWORD processId() const { return processId_; }
  // Ends the child (asks its window to close first) and waits for it.
  void stop();

 private:
  ChildProcess(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

std::wstring ownExePath();

// The top-level window of the given class and title owned by processId, or null.
HWND findWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title);

// The child side: returns the process exit code.
int runChildMode(int argc, wchar_t** argv);

}  // namespace rimfold::win32::test
