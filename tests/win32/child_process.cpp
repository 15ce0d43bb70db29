#include "win32/child_process.h"

#include <atomic>
#include <cwchar>

namespace rimfold::win32::test {

namespace {

std::wstring quoted(const std::wstring& arg) {
  // The arguments here never end in a backslash, so plain quoting is enough.
  return L"\"" + arg + L"\"";
}

LRESULT CALLBACK childWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

bool signalReady(const wchar_t* eventName) {
  HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
  if (!ready) return false;
  ::SetEvent(ready);
  ::CloseHandle(ready);
  return true;
}

// window <ready> <title>: one visible overlapped window until it is closed.
int runWindow(const wchar_t* ready, const wchar_t* title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = childWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kChildWindowClass;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!::RegisterClassW(&wc)) return 3;
  HWND hwnd = ::CreateWindowExW(0, kChildWindowClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300,
                                200, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 4;
  ::UpdateWindow(hwnd);
  if (!signalReady(ready)) return 5;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

// lock <ready> <path> <share>: holds the file open with the given share mode until killed.
int runLock(const wchar_t* ready, const wchar_t* path, const wchar_t* share) {
  DWORD shareMode = static_cast<DWORD>(std::wcstoul(share, nullptr, 10));
  HANDLE file = ::CreateFileW(path, GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  if (!signalReady(ready)) return 5;
  ::Sleep(INFINITE);
  return 0;
}

struct FindState {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK findProc(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<FindState*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != s->processId) return TRUE;
  wchar_t text[512] = {};
  ::GetClassNameW(hwnd, text, 512);
  if (std::wcscmp(text, s->className) != 0) return TRUE;
  ::GetWindowTextW(hwnd, text, 512);
  if (s->title && std::wcscmp(text, s->title) != 0) return TRUE;
  s->found = hwnd;
  return FALSE;
}

}  // namespace

std::wstring ownExePath() {
  wchar_t buffer[MAX_PATH * 2] = {};
  ::GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
  return buffer;
}

std::optional<ChildProcess> ChildProcess::start(const std::wstring& mode,
                                                const std::vector<std::wstring>& args,
                                                const std::wstring& exePath, DWORD timeoutMs) {
  static std::atomic<int> counter{0};
  std::wstring eventName = L"Local\\rimfold-win32-test-" +
                           std::to_wstring(::GetCurrentProcessId()) + L"-" +
                           std::to_wstring(++counter);
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
  if (!ready) return std::nullopt;

  const std::wstring exe = exePath.empty() ? ownExePath() : exePath;
  std::wstring command = quoted(exe) + L" " + kChildSwitch + L" " + mode + L" " + quoted(eventName);
  for (const auto& a : args) command += L" " + quoted(a);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
    ::CloseHandle(ready);
    return std::nullopt;
  }
  ::CloseHandle(pi.hThread);
  HANDLE waits[] = {ready, pi.hProcess};
  DWORD which = ::WaitForMultipleObjects(2, waits, FALSE, timeoutMs);
  ::CloseHandle(ready);
  ChildProcess child(pi.hProcess, pi.dwProcessId);
  if (which != WAIT_OBJECT_0) return std::nullopt;  // the destructor ends it
  return std::optional<ChildProcess>(std::move(child));
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(other.process_), processId_(other.processId_) {
  other.process_ = nullptr;
}

ChildProcess::~ChildProcess() { stop(); }

void ChildProcess::stop() {
  if (!process_) return;
  // A window child closes cleanly; a lock child just sleeps, so it is ended at once.
  HWND w = findWindowOf(processId_, kChildWindowClass, nullptr);
  if (w) ::PostMessageW(w, WM_CLOSE, 0, 0);
  if (!w || ::WaitForSingleObject(process_, 2000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 5000);
  }
  ::CloseHandle(process_);
  process_ = nullptr;
}

HWND findWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
  FindState state{processId, className, title, nullptr};
  ::EnumWindows(findProc, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

int runChildMode(int argc, wchar_t** argv) {
  // argv: exe, switch, mode, ready-event, args...
  if (argc >= 5 && std::wcscmp(argv[2], L"window") == 0) return runWindow(argv[3], argv[4]);
  if (argc >= 6 && std::wcscmp(argv[2], L"lock") == 0) return runLock(argv[3], argv[4], argv[5]);
  return 2;
}

}  // namespace rimfold::win32::test
