// rf_hooklog: an out-of-context WinEvent listener in a process of its own, to
// show that events raised elsewhere reach a hook the way Rimfold's would.
//
//   rf_hooklog <log-file> [ready-file]
//
// Appends one line per event: "0x<event hex> <hwnd decimal>", flushed at once.
// Creates <ready-file> once the hook is installed. Runs until its hidden
// window (class "RfHookLog") gets WM_CLOSE, or it is killed.
#include <windows.h>

#include <cstdio>

namespace {

FILE* g_log = nullptr;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG, LONG, DWORD, DWORD) {
    std::fprintf(g_log, "0x%04lX %llu\n", static_cast<unsigned long>(event),
                 static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    std::fflush(g_log);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: rf_hooklog <log-file> [ready-file]\n", stderr);
        return 2;
    }
    g_log = _wfopen(argv[1], L"ab");
    if (!g_log) return 1;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RfHookLog";
    RegisterClassExW(&wc);
    CreateWindowExW(WS_EX_TOOLWINDOW, L"RfHookLog", L"rf_hooklog", WS_POPUP, 0, 0, 0, 0, nullptr,
                    nullptr, GetModuleHandleW(nullptr), nullptr);

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!hook) return 1;
    if (argc > 2) {
        HANDLE ready = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    }

    // Out-of-context events are delivered through this thread's message loop.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnhookWinEvent(hook);
    std::fclose(g_log);
    return 0;
}
