// The cost floor of a sweep, for scripts/bench-wine.sh to measure Rimfold.exe against: a
// program that asks about every top-level window only what a correction sweep could need
// (visibility; for a visible window its styles, title, class, process image, rectangle,
// monitor, enabled, zoomed and iconic state) and does nothing with the answers.
//
//   rimfold_floor once       one sweep, then exit; like Rimfold /Q it waits 1 s before the
//                            sweep and 0.5 s after it, so that a sampler finds the sweep
//                            between two idle stretches in both programs alike
//   rimfold_floor resident   like Rimfold resident: every 250 ms count the top-level windows,
//                            look at the foreground window, and sweep when the count changed;
//                            ends on WM_CLOSE to its hidden window (class RimfoldFloor)
//   rimfold_floor resident-tray  the same with a tray icon (tip "rimfold_floor"), which is
//                            what loads the shell's libraries into a resident program
//   rimfold_floor blinker F  not a floor, a tool of the benchmark: keeps one ordinary window
//                            open while the file F holds "open" and none otherwise, and ends
//                            when it holds "quit". Started once, it changes the window count
//                            without starting a process (a Wine process start can open
//                            hidden windows of its own, which resident programs also see).
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 250;

// Folds every answer in, so that the output depends on each call.
std::uint64_t gChecksum = 0;

void fold(std::uint64_t v) { gChecksum = gChecksum * 1099511628211ULL ^ v; }

void askAbout(HWND w) {
  if (!::IsWindowVisible(w)) return;
  fold(static_cast<std::uint32_t>(::GetWindowLongW(w, GWL_STYLE)));
  fold(static_cast<std::uint32_t>(::GetWindowLongW(w, GWL_EXSTYLE)));
  wchar_t text[260];
  fold(static_cast<std::uint64_t>(::GetWindowTextW(w, text, 260)));
  fold(static_cast<std::uint64_t>(::GetClassNameW(w, text, 260)));
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    if (::QueryFullProcessImageNameW(process, 0, path, &size)) fold(size);
    ::CloseHandle(process);
  }
  RECT r{};
  ::GetWindowRect(w, &r);
  fold(static_cast<std::uint32_t>(r.left + r.top + r.right + r.bottom));
  fold(reinterpret_cast<std::uintptr_t>(::MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST)));
  fold(::IsWindowEnabled(w) != FALSE);
  fold(::IsZoomed(w) != FALSE);
  fold(::IsIconic(w) != FALSE);
}

BOOL CALLBACK sweepOne(HWND w, LPARAM) {
  askAbout(w);
  return TRUE;
}

BOOL CALLBACK countOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

void sweep() { ::EnumWindows(sweepOne, 0); }

int gLastCount = -1;

void tick() {
  int count = 0;
  ::EnumWindows(countOne, reinterpret_cast<LPARAM>(&count));
  const HWND foreground = ::GetForegroundWindow();
  if (foreground != nullptr && ::IsWindowVisible(foreground)) {
    fold(reinterpret_cast<std::uintptr_t>(foreground));
  }
  if (count != gLastCount) {
    gLastCount = count;
    sweep();
  }
}

LRESULT CALLBACK windowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: tick(); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(w, message, wParam, lParam);
  }
}

int resident(HINSTANCE instance, bool trayIcon) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"RimfoldFloor";
  if (!::RegisterClassW(&wc)) return 1;
  // A hidden top-level window, as Rimfold's main form is, so that WM_CLOSE can reach it.
  HWND w = ::CreateWindowExW(0, wc.lpszClassName, L"rimfold_floor", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                             100, nullptr, nullptr, instance, nullptr);
  if (w == nullptr || !::SetTimer(w, kTimerId, kTickMs, nullptr)) return 1;
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = w;
  icon.uFlags = NIF_ICON | NIF_TIP;
  icon.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  std::wcscpy(icon.szTip, L"rimfold_floor");
  // Looked up, not imported: the floor without its icon must not map the shell's libraries.
  using NotifyFn = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
  const auto notify =
      trayIcon ? reinterpret_cast<NotifyFn>(reinterpret_cast<void (*)()>(
                     ::GetProcAddress(::LoadLibraryW(L"shell32.dll"), "Shell_NotifyIconW")))
               : nullptr;
  if (trayIcon && (notify == nullptr || !notify(NIM_ADD, &icon))) return 1;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  if (notify != nullptr) notify(NIM_DELETE, &icon);
  return 0;
}

enum class Blink { Close, Open, Quit };

// What the control file says: it starts with "open" or "quit"; anything else closes.
Blink readBlink(const wchar_t* path) {
  char word[4] = {};
  DWORD read = 0;
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = ::CreateFileW(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Blink::Close;
  ::ReadFile(file, word, sizeof word, &read, nullptr);
  ::CloseHandle(file);
  if (read == sizeof word && std::memcmp(word, "open", sizeof word) == 0) return Blink::Open;
  if (read == sizeof word && std::memcmp(word, "quit", sizeof word) == 0) return Blink::Quit;
  return Blink::Close;
}

int blinker(HINSTANCE instance, const wchar_t* controlFile) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"RimfoldBlink";
  if (!::RegisterClassW(&wc)) return 1;
  HWND window = nullptr;
  for (;;) {
    const Blink blink = readBlink(controlFile);
    if (blink == Blink::Quit) break;
    const bool open = blink == Blink::Open;
    if (open && window == nullptr) {
      window = ::CreateWindowExW(0, wc.lpszClassName, L"Blink", WS_OVERLAPPEDWINDOW, 700, 400, 300,
                                 200, nullptr, nullptr, instance, nullptr);
      ::ShowWindow(window, SW_SHOWNOACTIVATE);
    } else if (!open && window != nullptr) {
      ::DestroyWindow(window);
      window = nullptr;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  if (window != nullptr) ::DestroyWindow(window);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"once") == 0) {
    ::Sleep(1000);
    sweep();
    ::Sleep(500);
  } else if (argc == 2 && (std::wcscmp(argv[1], L"resident") == 0 ||
                           std::wcscmp(argv[1], L"resident-tray") == 0)) {
    if (resident(::GetModuleHandleW(nullptr), argv[1][8] == L'-') != 0) return 1;
  } else if (argc == 3 && std::wcscmp(argv[1], L"blinker") == 0) {
    return blinker(::GetModuleHandleW(nullptr), argv[2]);
  } else {
    std::fputs("usage: rimfold_floor once|resident|resident-tray|blinker <file>\n", stderr);
    return 2;
  }
  std::printf("%016llx\n", static_cast<unsigned long long>(gChecksum));
  return 0;
}
