// rf_displayswitch: stands in for Windows' DisplaySwitch.exe, which Wine lacks. Copied into
// the prefix's 64-bit system folder as DisplaySwitch.exe, it appends the command line it was
// started with (UTF-8, one line) to DisplaySwitch.log beside itself, and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    wchar_t self[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n == MAX_PATH) return 1;
    std::wstring log(self, n);
    log.resize(log.rfind(L'\\') + 1);
    log += L"DisplaySwitch.log";
    const wchar_t* line = ::GetCommandLineW();
    char utf8[2048];
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    if (bytes <= 0) return 1;
    utf8[bytes - 1] = '\n';
    HANDLE f = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(f, utf8, static_cast<DWORD>(bytes), &written, nullptr);
    ::CloseHandle(f);
    return ok ? 0 : 1;
}
