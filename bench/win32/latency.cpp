// How soon a window shown sticking out of the work area is put back, for
// scripts/bench-latency.sh: the probe, and a floor keeper to hold Rimfold against.
//
//   rimfold_latency probe N SAMPLES   opens N - 1 ordinary windows inside the work area (the
//                                     desktop's load), then SAMPLES times: waits a random 0 to
//                                     250 ms (so that a polling period is met at every phase),
//                                     shows a window off the right edge, raises the show event
//                                     Windows raises (Wine raises none), and times until the
//                                     window is moved; prints "min median p95 max" in ms
//   rimfold_latency floor             the floor: a keeper that checks the window at its show
//                                     event and moves it inside at once; ends on WM_CLOSE to
//                                     its hidden window (class RimfoldLatencyFloor)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <random>
#include <vector>

namespace {

constexpr wchar_t kProbeClass[] = L"RimfoldLatencyProbe";
constexpr wchar_t kFloorClass[] = L"RimfoldLatencyFloor";
constexpr DWORD kTimeoutMs = 2000;

LARGE_INTEGER gFrequency{};
bool gMoved = false;

double msSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
         static_cast<double>(gFrequency.QuadPart);
}

LRESULT CALLBACK probeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if ((pos->flags & SWP_NOMOVE) == 0 && pos->x <= 1520) gMoved = true;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void pumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  MSG msg{};
  while (::GetTickCount() - start < ms) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
}

int probe(int windows, int samples) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = probeProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kProbeClass;
  ::RegisterClassW(&wc);
  std::vector<HWND> load;
  for (int i = 0; i + 1 < windows; ++i) {
    load.push_back(::CreateWindowExW(0, kProbeClass, L"Latency load", WS_OVERLAPPEDWINDOW,
                                     (i % 20) * 80, (i / 20) * 40, 300, 200, nullptr, nullptr,
                                     wc.hInstance, nullptr));
    ::ShowWindow(load.back(), SW_SHOWNOACTIVATE);
  }
  pumpFor(2000);  // the keeper has seen them all
  std::mt19937 random(12345);
  std::vector<double> times;
  std::vector<HWND> shown;
  for (int s = 0; s < samples; ++s) {
    pumpFor(random() % 250);
    gMoved = false;
    HWND w = ::CreateWindowExW(0, kProbeClass, L"Latency probe", WS_OVERLAPPEDWINDOW, 1700, 300,
                               400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    ::ShowWindow(w, SW_SHOW);
    ::NotifyWinEvent(EVENT_OBJECT_SHOW, w, OBJID_WINDOW, CHILDID_SELF);
    MSG msg{};
    double took = -1;
    while (msSince(start) < kTimeoutMs) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      if (gMoved) {
        took = msSince(start);
        break;
      }
    }
    // Kept until the end: Wine hands a destroyed window's handle to the next window, which
    // a keeper would take for the same window coming back out again and again.
    shown.push_back(w);
    if (took >= 0) times.push_back(took);
    pumpFor(100);
  }
  for (HWND w : load) ::DestroyWindow(w);
  for (HWND w : shown) ::DestroyWindow(w);
  if (times.empty()) return 1;
  std::sort(times.begin(), times.end());
  const auto at = [&](double q) {
    return times[std::min(times.size() - 1, static_cast<std::size_t>(
                                                q * static_cast<double>(times.size() - 1) + 0.5))];
  };
  std::printf("%.0f %.0f %.0f %.0f %d\n", times.front(), at(0.5), at(0.95), times.back(),
              samples - static_cast<int>(times.size()));
  return 0;
}

// ---- the floor keeper ----

void CALLBACK onShow(HWINEVENTHOOK, DWORD, HWND w, LONG object, LONG child, DWORD, DWORD) {
  if (object != OBJID_WINDOW || child != CHILDID_SELF || w == nullptr) return;
  if (::GetAncestor(w, GA_ROOT) != w || !::IsWindowVisible(w)) return;
  RECT r{};
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!::GetWindowRect(w, &r) ||
      !::GetMonitorInfoW(::MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi)) {
    return;
  }
  const RECT& a = mi.rcWork;
  const LONG width = r.right - r.left, height = r.bottom - r.top;
  const LONG x = std::max(a.left, std::min(r.left, a.right - width));
  const LONG y = std::max(a.top, std::min(r.top, a.bottom - height));
  if (x != r.left || y != r.top) {
    ::SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK floorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

int floorKeeper() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = floorProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kFloorClass;
  ::RegisterClassW(&wc);
  ::CreateWindowExW(WS_EX_TOOLWINDOW, kFloorClass, L"rimfold_latency floor", WS_POPUP, 0, 0, 0, 0,
                    nullptr, nullptr, wc.hInstance, nullptr);
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, &onShow, 0,
                                         0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  ::UnhookWinEvent(hook);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::QueryPerformanceFrequency(&gFrequency);
  if (argc == 4 && std::wcscmp(argv[1], L"probe") == 0) {
    return probe(std::max(1, _wtoi(argv[2])), std::max(1, _wtoi(argv[3])));
  }
  if (argc == 2 && std::wcscmp(argv[1], L"floor") == 0) return floorKeeper();
  std::fputs("usage: rimfold_latency probe N SAMPLES | floor\n", stderr);
  return 2;
}
