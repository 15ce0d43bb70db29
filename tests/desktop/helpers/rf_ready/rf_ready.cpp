// rf_ready: tells a test script when a Wine desktop is usable, and keeps the
// Wine session alive for the length of a test run.
//
//   rf_ready shell [timeout-ms]        until Shell_TrayWnd is visible and the
//                                      work area stops above the screen bottom
//   rf_ready monitors N [timeout-ms]   until GetSystemMetrics(SM_CMONITORS) == N
//   rf_ready stay                      sleeps until killed
//
// Exit code: 0 ready, 1 timed out, 2 bad arguments.
#include <windows.h>

#include <cwchar>
#include <cwctype>

namespace {

bool ShellReady() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray || !IsWindowVisible(tray)) return false;
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return false;
    return work.bottom < GetSystemMetrics(SM_CYSCREEN);
}

bool ParseNumber(const wchar_t* text, long& out) {
    if (!text || !*text) return false;
    wchar_t* end = nullptr;
    out = std::wcstol(text, &end, 10);
    return *end == L'\0';
}

template <typename Ready>
int Poll(Ready ready, long timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (ready()) return 0;
        if (GetTickCount64() >= deadline) return 1;
        Sleep(25);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const wchar_t* mode = argv[1];
    long timeoutMs = 20000;

    if (std::wcscmp(mode, L"stay") == 0) {
        // Any live non-system process keeps Wine's explorer and desktop running.
        for (;;) Sleep(INFINITE);
    }
    if (std::wcscmp(mode, L"shell") == 0) {
        if (argc > 2 && !ParseNumber(argv[2], timeoutMs)) return 2;
        return Poll(ShellReady, timeoutMs);
    }
    if (std::wcscmp(mode, L"monitors") == 0) {
        long wanted = 0;
        if (argc < 3 || !ParseNumber(argv[2], wanted)) return 2;
        if (argc > 3 && !ParseNumber(argv[3], timeoutMs)) return 2;
        return Poll([wanted] { return GetSystemMetrics(SM_CMONITORS) == wanted; }, timeoutMs);
    }
    return 2;
}
