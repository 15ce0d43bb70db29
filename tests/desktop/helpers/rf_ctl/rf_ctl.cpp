// rf_ctl: one-shot queries and nudges of the Wine desktop for test scripts.
// Prints results on stdout (handles in decimal); exit code 0 on success,
// 1 when the thing asked about is not there or the call failed, 2 on usage.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: rf_ctl <command> [args]\n"
    "  send <tag> <text...>          WM_COPYDATA to rf_windows (control window titled <tag>)\n"
    "  find <class|-> [title|-]      print the handle of a top-level window\n"
    "  wait-find <class|-> <title|-> <ms>  like find, polling until it is visible\n"
    "  rect <hwnd>                   left top right bottom (GetWindowRect)\n"
    "  state <hwnd>                  min|max|normal, visible 0|1, enabled 0|1\n"
    "  title <hwnd> / class <hwnd>   window text / class name (UTF-8)\n"
    "  watch-title <hwnd> <ms>       each caption the window shows, once, until it is gone (exit "
    "0)\n"
    "                                or ms have passed (exit 1)\n"
    "  text <hwnd>                   WM_GETTEXT (a control's own text, not its creation caption)\n"
    "  style <hwnd>                  style and extended style in hex\n"
    "  foreground                    handle of the foreground window\n"
    "  set-foreground <hwnd>\n"
    "  move <hwnd> x y w h           MoveWindow (another program's window, e.g. notepad)\n"
    "  event <hwnd> <event>          NotifyWinEvent(event, hwnd, OBJID_WINDOW, CHILDID_SELF): "
    "what\n"
    "                                Windows raises for a change Wine raises nothing for\n"
    "  screen                        SM_CXSCREEN SM_CYSCREEN\n"
    "  virtual-screen                SM_XVIRTUALSCREEN SM_YVIRTUALSCREEN SM_CXVIRTUALSCREEN "
    "SM_CYVIRTUALSCREEN\n"
    "  workarea                      SPI_GETWORKAREA: left top right bottom\n"
    "  monitors                      count, then per monitor: bounds, work area, primary 0|1\n"
    "  close <hwnd>                  post WM_CLOSE\n"
    "  command <hwnd> <id>           post WM_COMMAND (e.g. 1 = IDOK)\n"
    "  query-end-session <hwnd> [ms] send WM_QUERYENDSESSION, print the answer\n"
    "  end-session <hwnd> 0|1 [ms]   send WM_ENDSESSION\n"
    "  taskbar-created               broadcast the registered \"TaskbarCreated\" message\n"
    "  tray-delete <hwnd> <id>       Shell_NotifyIcon(NIM_DELETE) for that window and id\n"
    "  tray-delete-own <hwnd>        delete the icon a tray handler window of ours owns\n"
    "  hotkey-taken <mods> <vk>      exit 0 when another program holds that hotkey\n"
    "  tray-tips                     tooltip text of each icon in the taskbar's tray, rightmost "
    "first (UTF-8)\n"
    "  tray-tip-rects                per icon: left top right bottom (screen), a tab, the text\n"
    "  display-change [bpp w h]      broadcast WM_DISPLAYCHANGE (default: current screen)\n"
    "  set-mode <w> <h>              ChangeDisplaySettingsExW of the primary display; 0 on "
    "success\n"
    "  set-workarea l t r b          SPI_SETWORKAREA, stored and announced (as the taskbar does)\n"
    "  setting-change <action>       broadcast WM_SETTINGCHANGE with that SPI action (e.g. 0x2F)\n"
    "  drag-full-windows [0|1]       print (or set) SPI_GETDRAGFULLWINDOWS\n"
    "  version                       GetVersionEx major.minor.build\n"
    "  storm <per-second> <seconds> [unhooked|hooked]\n"
    "                                raise events no keeper needs at that rate: name and value\n"
    "                                changes, or (hooked) a caret, a background window moving,\n"
    "                                a child shown and destroyed; prints how many were raised\n"
    "  popups <per-second> <seconds> a popup inside the work area replaced that often, shown\n"
    "                                and destroyed with their events; prints how many\n"
    "  child <hwnd> <id>             handle of the descendant with that control id\n"
    "  taskbar-buttons               how many buttons the shell's taskbar shows (Start included)\n"
    "  at <x> <y>                    the window a click at that screen point reaches, its control "
    "id\n"
    "  items <hwnd>                  the lines of a list box or combo box (UTF-8), one per line\n"
    "  selected <hwnd>               the selected index of a list box, combo box or tab control\n"
    "  item-rect <hwnd> <i>          screen rect of list box item i\n"
    "  button-rect <toolbar> <id>    screen rect of a toolbar button\n"
    "  button-state <toolbar> <id>   enabled 0|1, checked 0|1\n"
    "  checked <hwnd>                BM_GETCHECK of a check box\n"
    "  min-track <hwnd>              the minimum track size WM_GETMINMAXINFO gives\n"
    "  hold <file> <ms> <marker>     open file with no sharing (as a backup program does), create\n"
    "                                marker once it is held, let go after ms\n";

HWND ParseHwnd(const wchar_t* s) {
    wchar_t* end = nullptr;
    unsigned long long v = std::wcstoull(s, &end, 0);
    return *end == L'\0' ? reinterpret_cast<HWND>(static_cast<uintptr_t>(v)) : nullptr;
}

long ParseLong(const wchar_t* s, bool& ok) {
    wchar_t* end = nullptr;
    long v = std::wcstol(s, &end, 0);
    ok = *s != L'\0' && *end == L'\0';
    return v;
}

void PrintUtf8(const std::wstring& s) {
    int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
}

void PrintHwnd(HWND hwnd) {
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
}

const wchar_t* OrNull(const wchar_t* s) { return std::wcscmp(s, L"-") == 0 ? nullptr : s; }

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (!GetMonitorInfoW(monitor, &mi)) return TRUE;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld %d\n", mi.rcMonitor.left, mi.rcMonitor.top,
                mi.rcMonitor.right, mi.rcMonitor.bottom, mi.rcWork.left, mi.rcWork.top,
                mi.rcWork.right, mi.rcWork.bottom, (mi.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

struct TrayTip {
    RECT rect;  // screen coordinates
    std::wstring text;
};

struct TrayScan {
    HWND tray;
    DWORD pid;
    std::vector<HWND> tooltips;
};

BOOL CALLBACK CollectTooltip(HWND hwnd, LPARAM param) {
    auto* scan = reinterpret_cast<TrayScan*>(param);
    DWORD pid = 0;
    wchar_t cls[64] = {};
    // Balloon notifications are tooltips too, but not an icon's tip.
    if (GetWindowThreadProcessId(hwnd, &pid) && pid == scan->pid && GetClassNameW(hwnd, cls, 64) &&
        lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && !(GetWindowLongW(hwnd, GWL_STYLE) & TTS_BALLOON))
        scan->tooltips.push_back(hwnd);
    return TRUE;
}

bool SendTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// Wine's explorer gives each tray icon a tooltip window of its own, holding
// the tip text. TTM_ENUMTOOLSW writes the tool and copies its text through
// pointers that explorer dereferences, so both must live in its process.
// Sorted right to left, which is the order Wine adds icons in.
//
// Wine 8 makes a new tooltip each time a hidden (NIS_HIDDEN) icon is shown
// again and never destroys the old one, which keeps its last rect and text.
// EnumWindows lists them newest first, so the first tool seen at a place is the
// live one there; a place that only an old tooltip claims still cannot be
// told from a live icon.
bool ReadTrayTips(std::vector<TrayTip>& tips) {
#ifndef _WIN64
    // TTM_ENUMTOOLSW fills a TOOLINFOW laid out for explorer's pointer size.
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
        std::fputs("rf_ctl: a 32-bit build cannot read a 64-bit tray\n", stderr);
        return false;
    }
#endif
    TrayScan scan{};
    scan.tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!scan.tray || !GetWindowThreadProcessId(scan.tray, &scan.pid)) {
        std::fputs("rf_ctl: no Shell_TrayWnd\n", stderr);
        return false;
    }
    EnumWindows(CollectTooltip, reinterpret_cast<LPARAM>(&scan));
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, scan.pid);
    if (!process) {
        std::fputs("rf_ctl: cannot open the tray's process\n", stderr);
        return false;
    }
    // TTM_ENUMTOOLSW copies the text without a length: leave far more room
    // than a tray tip (128 characters) can take.
    const SIZE_T kTextChars = 8192;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t),
                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
    std::vector<wchar_t> text(kTextChars + 1, L'\0');
    bool ok = remote != nullptr;
    for (size_t t = 0; ok && t < scan.tooltips.size(); ++t) {
        HWND tooltip = scan.tooltips[t];
        DWORD_PTR count = 0;
        if (!SendTimeout(tooltip, TTM_GETTOOLCOUNT, 0, 0, count)) {
            ok = !IsWindow(tooltip);  // an icon deleted since the scan is no failure
            continue;
        }
        for (DWORD_PTR i = 0; ok && i < count; ++i) {
            TTTOOLINFOW ti{};
            ti.cbSize = sizeof(ti);
            ti.lpszText = remoteText;
            const wchar_t empty = L'\0';
            DWORD_PTR found = 0;
            if (!WriteProcessMemory(process, remote, &ti, sizeof(ti), nullptr) ||
                !WriteProcessMemory(process, remoteText, &empty, sizeof(empty), nullptr) ||
                !SendTimeout(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote), found)) {
                ok = !IsWindow(tooltip);
                break;
            }
            if (!found) break;  // tools removed meanwhile
            if (!ReadProcessMemory(process, remote, &ti, sizeof(ti), nullptr)) {
                ok = false;
                break;
            }
            // A hidden icon keeps its tooltip, but its tool is no longer on
            // the tray: no rect, or a window outside the tray or not shown.
            TrayTip tip{};
            if (ti.uFlags & TTF_IDISHWND) {
                HWND tool = reinterpret_cast<HWND>(ti.uId);
                if (!IsChild(scan.tray, tool) || !IsWindowVisible(tool) ||
                    !GetWindowRect(tool, &tip.rect))
                    continue;
            } else {
                if (ti.hwnd != scan.tray && !IsChild(scan.tray, ti.hwnd)) continue;
                tip.rect = ti.rect;
                MapWindowPoints(ti.hwnd, nullptr, reinterpret_cast<POINT*>(&tip.rect), 2);
            }
            if (IsRectEmpty(&tip.rect) ||
                std::any_of(tips.begin(), tips.end(),
                            [&](const TrayTip& seen) { return EqualRect(&seen.rect, &tip.rect); }))
                continue;
            // Explorer hands the tooltip a string, which it copies; a callback
            // or resource text would come back as the pointer it is.
            if (ti.lpszText == remoteText) {
                if (!ReadProcessMemory(process, remoteText, text.data(),
                                       kTextChars * sizeof(wchar_t), nullptr)) {
                    ok = false;
                    break;
                }
                tip.text = text.data();
            }
            tips.push_back(tip);
        }
    }
    if (!ok) std::fputs("rf_ctl: cannot read the tray's tooltips\n", stderr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    std::stable_sort(tips.begin(), tips.end(), [](const TrayTip& a, const TrayTip& b) {
        return a.rect.right != b.rect.right ? a.rect.right > b.rect.right : a.rect.top < b.rect.top;
    });
    return ok;
}

// A shell restart as Wine cannot stage it: the icon disappears from the tray while the
// program lives. The identifier is the tray component's address inside the program, which
// only the program knows; the handler window's object (its GWLP_USERDATA) holds pointers
// to its icons, so each pointer found there, and each pointer those lead to, is tried as
// the identifier until the shell accepts one. Only an icon of that window can match.
int DeleteOwnTrayIcon(HWND handler) {
    if (!handler || !IsWindow(handler)) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(handler, &pid);
    const auto object = static_cast<uintptr_t>(GetWindowLongPtrW(handler, GWLP_USERDATA));
    HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, pid);
    if (!process || object == 0) {
        if (process) CloseHandle(process);
        return 1;
    }
    uintptr_t fields[16]{};
    bool deleted = false;
    if (ReadProcessMemory(process, reinterpret_cast<void*>(object), fields, sizeof(fields),
                          nullptr)) {
        for (uintptr_t field : fields) {
            uintptr_t target = 0;
            if (field == 0 || !ReadProcessMemory(process, reinterpret_cast<void*>(field), &target,
                                                 sizeof(target), nullptr))
                continue;
            for (uintptr_t candidate : {field, target}) {
                NOTIFYICONDATAW nid{};
                nid.cbSize = sizeof(nid);
                nid.hWnd = handler;
                nid.uID = static_cast<UINT>(candidate);
                if (candidate != 0 && Shell_NotifyIconW(NIM_DELETE, &nid)) deleted = true;
            }
            if (deleted) break;
        }
    }
    CloseHandle(process);
    return deleted ? 0 : 1;
}

int Send(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    HWND control = FindWindowW(L"RfWindowsControl", argv[2]);
    if (!control) {
        std::fputs("rf_ctl: no rf_windows with that tag\n", stderr);
        return 1;
    }
    std::wstring text;
    for (int i = 3; i < argc; ++i) {
        if (i > 3) text += L' ';
        text += argv[i];
    }
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n,
                        nullptr, nullptr);
    COPYDATASTRUCT cds{};
    cds.cbData = static_cast<DWORD>(utf8.size());
    cds.lpData = utf8.data();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                             SMTO_ABORTIFHUNG, 30000, &result))
        return 1;
    return result == 1 ? 0 : 1;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildById(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A buffer in another process, for messages whose pointers the system does not carry
// across (toolbar and list box rectangles).
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    LPARAM param() const { return reinterpret_cast<LPARAM>(address_); }
    bool read(void* out) const {
        SIZE_T got = 0;
        return address_ && ReadProcessMemory(process_, address_, out, size_, &got) && got == size_;
    }

private:
    size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

bool ClassIs(HWND hwnd, const wchar_t* name) {
    wchar_t cls[64] = {};
    return GetClassNameW(hwnd, cls, 64) && lstrcmpiW(cls, name) == 0;
}

// Wine's taskbar draws its buttons itself: their text cannot be read, only counted.
BOOL CALLBACK CountButton(HWND hwnd, LPARAM param) {
    if (ClassIs(hwnd, WC_BUTTONW) && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(param);
    return TRUE;
}

// Events a window keeper has no use for, raised as busy programs do. "unhooked": a ticking
// clock, progress (name and value changes), which a keeper need not hook at all. "hooked":
// kinds a keeper hooks, but of windows and objects it has no business with: a caret moving,
// a window in the background moving, a child window shown and destroyed.
int Storm(long perSecond, long seconds, bool hooked) {
    HWND own =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"rf_ctl storm", WS_POPUP,
                        0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!own) return 1;
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, own, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!child) {
        DestroyWindow(own);
        return 1;
    }
    struct Raised {
        DWORD event;
        HWND hwnd;
        LONG object;
    };
    const Raised unhooked[] = {{EVENT_OBJECT_NAMECHANGE, own, OBJID_WINDOW},
                               {EVENT_OBJECT_VALUECHANGE, own, OBJID_WINDOW}};
    const Raised inHook[] = {{EVENT_OBJECT_LOCATIONCHANGE, own, OBJID_CARET},
                             {EVENT_OBJECT_LOCATIONCHANGE, own, OBJID_WINDOW},
                             {EVENT_OBJECT_SHOW, child, OBJID_WINDOW},
                             {EVENT_OBJECT_DESTROY, child, OBJID_WINDOW}};
    const Raised* kinds = hooked ? inHook : unhooked;
    const unsigned long long kindCount = hooked ? 4 : 2;
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG end = start + static_cast<ULONGLONG>(seconds) * 1000;
    unsigned long long raised = 0;
    for (ULONGLONG now = start; now < end; now = GetTickCount64()) {
        // Paced by the clock: as many as are due by now, in slices of about 10 ms.
        const unsigned long long due =
            (now - start) * static_cast<unsigned long long>(perSecond) / 1000;
        for (; raised < due; ++raised) {
            const Raised& r = kinds[raised % kindCount];
            NotifyWinEvent(r.event, r.hwnd, r.object, CHILDID_SELF);
        }
        Sleep(10);
    }
    DestroyWindow(own);
    std::printf("%llu\n", raised);
    return 0;
}

// Top-level windows coming and going as a busy program's tooltips do: one popup inside the
// work area at a time, replaced perSecond times a second, each shown and destroyed with the
// events Windows raises for them (Wine raises neither).
int Popups(long perSecond, long seconds) {
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG end = start + static_cast<ULONGLONG>(seconds) * 1000;
    unsigned long long shown = 0;
    HWND current = nullptr;
    for (ULONGLONG now = start; now < end; now = GetTickCount64()) {
        const unsigned long long due =
            (now - start) * static_cast<unsigned long long>(perSecond) / 1000;
        for (; shown < due; ++shown) {
            if (current) {
                NotifyWinEvent(EVENT_OBJECT_DESTROY, current, OBJID_WINDOW, CHILDID_SELF);
                DestroyWindow(current);
            }
            current =
                CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"STATIC",
                                L"rf_ctl popup", WS_POPUP | WS_BORDER, 100, 100, 120, 24, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
            if (!current) return 1;
            ShowWindow(current, SW_SHOWNOACTIVATE);
            NotifyWinEvent(EVENT_OBJECT_SHOW, current, OBJID_WINDOW, CHILDID_SELF);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    if (current) DestroyWindow(current);
    std::printf("%llu\n", shown);
    return 0;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring cmd = argv[1];
    bool ok = true;

    if (cmd == L"popups" && argc == 4) {
        const long perSecond = ParseLong(argv[2], ok);
        const long seconds = ok ? ParseLong(argv[3], ok) : 0;
        return ok ? Popups(perSecond, seconds) : 2;
    }

    if (cmd == L"storm" && (argc == 4 || argc == 5)) {
        const long perSecond = ParseLong(argv[2], ok);
        const long seconds = ok ? ParseLong(argv[3], ok) : 0;
        const std::wstring kind = argc == 5 ? argv[4] : L"unhooked";
        if (kind != L"unhooked" && kind != L"hooked") return 2;
        return ok ? Storm(perSecond, seconds, kind == L"hooked") : 2;
    }

    if (cmd == L"hold" && argc == 5) {
        const long ms = ParseLong(argv[3], ok);
        if (!ok || ms < 0) return 2;
        HANDLE held = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE) return 1;
        HANDLE marker = CreateFileW(argv[4], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (marker != INVALID_HANDLE_VALUE) {
            WriteFile(marker, "held\n", 5, &written, nullptr);
            CloseHandle(marker);
        }
        Sleep(static_cast<DWORD>(ms));
        CloseHandle(held);
        return 0;
    }

    if (cmd == L"send") return Send(argc, argv);
    if (cmd == L"hotkey-taken" && argc == 4) {
        const long mods = ParseLong(argv[2], ok);
        const long vk = ok ? ParseLong(argv[3], ok) : 0;
        if (!ok) return 2;
        // Free when this process can take it; then it is given back at once.
        if (RegisterHotKey(nullptr, 0xBF00, static_cast<UINT>(mods), static_cast<UINT>(vk))) {
            UnregisterHotKey(nullptr, 0xBF00);
            return 1;
        }
        return 0;
    }
    if (cmd == L"taskbar-buttons") {
        HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
        if (!tray) return 1;
        int count = 0;
        EnumChildWindows(tray, CountButton, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count);
        return 0;
    }
    if (cmd == L"at" && argc == 4) {
        POINT pt{ParseLong(argv[2], ok), 0};
        if (ok) pt.y = ParseLong(argv[3], ok);
        if (!ok) return 2;
        HWND h = WindowFromPoint(pt);
        if (!h) return 1;
        std::printf("%llu %d\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(h)),
                    GetDlgCtrlID(h));
        return 0;
    }
    if (cmd == L"find" && argc >= 3) {
        HWND h = FindWindowW(OrNull(argv[2]), argc > 3 ? OrNull(argv[3]) : nullptr);
        if (!h) return 1;
        PrintHwnd(h);
        return 0;
    }
    if (cmd == L"wait-find" && argc == 5) {
        long ms = ParseLong(argv[4], ok);
        if (!ok) return 2;
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms);
        for (;;) {
            HWND h = FindWindowW(OrNull(argv[2]), OrNull(argv[3]));
            if (h && IsWindowVisible(h)) {
                PrintHwnd(h);
                return 0;
            }
            if (GetTickCount64() >= deadline) return 1;
            Sleep(20);
        }
    }
    // launch-times COMMAND-LINE CLASS TITLE [TIP]: starts the program and prints the
    // milliseconds until a window CLASS/TITLE exists (visible or not), then until a tray icon
    // has the tooltip TIP.
    if (cmd == L"launch-times" && (argc == 5 || argc == 6)) {
        std::wstring line = argv[2];
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        LARGE_INTEGER f{}, t0{}, t{};
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi))
            return 1;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const auto since = [&] {
            QueryPerformanceCounter(&t);
            return static_cast<double>(t.QuadPart - t0.QuadPart) * 1000.0 /
                   static_cast<double>(f.QuadPart);
        };
        while (!FindWindowW(OrNull(argv[3]), OrNull(argv[4]))) {
            if (since() > 20000) return 1;
            Sleep(1);
        }
        std::printf("%.0f", since());
        if (argc == 6) {
            for (bool shown = false; !shown;) {
                std::vector<TrayTip> tips;
                if (ReadTrayTips(tips))
                    for (const TrayTip& tip : tips) shown = shown || tip.text == argv[5];
                if (since() > 20000) return 1;
                if (!shown) Sleep(1);
            }
            std::printf(" %.0f", since());
        }
        std::printf("\n");
        return 0;
    }
    if (cmd == L"screen") {
        std::printf("%d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (cmd == L"virtual-screen") {
        std::printf("%d %d %d %d\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_CYVIRTUALSCREEN));
        return 0;
    }
    if (cmd == L"workarea") {
        RECT r{};
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"monitors") {
        std::printf("%d\n", GetSystemMetrics(SM_CMONITORS));
        return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : 1;
    }
    if (cmd == L"foreground") {
        PrintHwnd(GetForegroundWindow());
        return 0;
    }
    if (cmd == L"taskbar-created") {
        UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(HWND_BROADCAST, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? 0
                                                                                               : 1;
    }
    if (cmd == L"tray-tips" || cmd == L"tray-tip-rects") {
        std::vector<TrayTip> tips;
        if (!ReadTrayTips(tips)) return 1;
        for (const TrayTip& tip : tips) {
            if (cmd == L"tray-tip-rects")
                std::printf("%ld %ld %ld %ld\t", tip.rect.left, tip.rect.top, tip.rect.right,
                            tip.rect.bottom);
            PrintUtf8(tip.text);
        }
        return 0;
    }
    if (cmd == L"set-mode" && argc == 4) {
        DEVMODEW mode{};
        mode.dmSize = sizeof(mode);
        mode.dmPelsWidth = static_cast<DWORD>(ParseLong(argv[2], ok));
        if (ok) mode.dmPelsHeight = static_cast<DWORD>(ParseLong(argv[3], ok));
        if (!ok) return 2;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
        std::printf("%ld\n", result);
        return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
    }
    if (cmd == L"set-workarea" && argc == 6) {
        RECT r{};
        long* edges[] = {&r.left, &r.top, &r.right, &r.bottom};
        for (int i = 0; i < 4 && ok; ++i) *edges[i] = ParseLong(argv[2 + i], ok);
        if (!ok) return 2;
        return SystemParametersInfoW(SPI_SETWORKAREA, 0, &r, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
                   ? 0
                   : 1;
    }
    if (cmd == L"setting-change" && argc == 3) {
        const long action = ParseLong(argv[2], ok);
        if (!ok) return 2;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, static_cast<WPARAM>(action), 0,
                            SMTO_ABORTIFHUNG, 5000, &result);
        return 0;
    }
    if (cmd == L"display-change") {
        WPARAM bpp = 32;
        int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        if (argc == 5) {
            bool a = false, b = false, c = false;
            bpp = static_cast<WPARAM>(ParseLong(argv[2], a));
            w = static_cast<int>(ParseLong(argv[3], b));
            h = static_cast<int>(ParseLong(argv[4], c));
            if (!a || !b || !c) return 2;
        }
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, bpp, MAKELPARAM(w, h),
                                   SMTO_ABORTIFHUNG, 5000, &result)
                   ? 0
                   : 1;
    }
    if (cmd == L"drag-full-windows") {
        if (argc == 3) {
            long v = ParseLong(argv[2], ok);
            if (!ok) return 2;
            return SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, v ? TRUE : FALSE, nullptr,
                                         SPIF_SENDCHANGE)
                       ? 0
                       : 1;
        }
        BOOL on = FALSE;
        if (!SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &on, 0)) return 1;
        std::printf("%d\n", on ? 1 : 0);
        return 0;
    }
    if (cmd == L"version") {
        OSVERSIONINFOW vi{};
        vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExW(&vi)) return 1;
#pragma GCC diagnostic pop
        std::printf("%lu.%lu.%lu\n", vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber);
        return 0;
    }

    // The rest take a window handle first.
    if (argc < 3) return 2;
    HWND hwnd = ParseHwnd(argv[2]);
    if (cmd == L"tray-delete" && argc == 4) {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof(nid);
        nid.hWnd = hwnd;
        nid.uID = static_cast<UINT>(ParseLong(argv[3], ok));
        if (!ok) return 2;
        return Shell_NotifyIconW(NIM_DELETE, &nid) ? 0 : 1;
    }
    if (cmd == L"tray-delete-own") return DeleteOwnTrayIcon(hwnd);
    if (!hwnd || !IsWindow(hwnd)) {
        std::fputs("rf_ctl: not a window\n", stderr);
        return 1;
    }
    if (cmd == L"rect") {
        RECT r{};
        if (!GetWindowRect(hwnd, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"state") {
        const char* show = IsIconic(hwnd) ? "min" : IsZoomed(hwnd) ? "max" : "normal";
        std::printf("%s %d %d\n", show, IsWindowVisible(hwnd) ? 1 : 0,
                    IsWindowEnabled(hwnd) ? 1 : 0);
        return 0;
    }
    if (cmd == L"title") {
        wchar_t buf[1024] = {};
        GetWindowTextW(hwnd, buf, 1024);
        PrintUtf8(buf);
        return 0;
    }
    if (cmd == L"watch-title" && argc == 4) {
        // Looked at every 10 ms from one process: a caller polling with a process a look
        // misses a caption that shows for less than a process start takes on a busy machine.
        const DWORD limit = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10));
        const DWORD start = GetTickCount();
        std::wstring last;
        while (IsWindow(hwnd) && GetTickCount() - start < limit) {
            wchar_t buf[1024] = {};
            GetWindowTextW(hwnd, buf, 1024);
            if (buf[0] != L'\0' && last != buf) {
                last = buf;
                PrintUtf8(last);
                std::fflush(stdout);
            }
            Sleep(10);
        }
        return IsWindow(hwnd) ? 1 : 0;
    }
    if (cmd == L"text") {
        // GetWindowText of another process's window reads the caption the system keeps,
        // which a self-drawn control need not update; WM_GETTEXT asks the control.
        wchar_t buf[1024] = {};
        DWORD_PTR result = 0;
        if (!SendTimeout(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), result)) return 1;
        PrintUtf8(buf);
        return 0;
    }
    if (cmd == L"class") {
        wchar_t buf[256] = {};
        if (!GetClassNameW(hwnd, buf, 256)) return 1;
        PrintUtf8(buf);
        return 0;
    }
    if (cmd == L"style") {
        std::printf("%08lx %08lx\n", static_cast<unsigned long>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                    static_cast<unsigned long>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
        return 0;
    }
    if (cmd == L"child" && argc == 4) {
        ChildSearch search{static_cast<int>(ParseLong(argv[3], ok)), nullptr};
        if (!ok) return 2;
        EnumChildWindows(hwnd, FindChildById, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return 1;
        PrintHwnd(search.found);
        return 0;
    }
    if (cmd == L"items") {
        const bool combo = ClassIs(hwnd, WC_COMBOBOXW);
        const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
        const UINT length = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
        const UINT text = combo ? CB_GETLBTEXT : LB_GETTEXT;
        const LRESULT n = SendMessageW(hwnd, count, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            const auto index = static_cast<WPARAM>(i);
            std::wstring line(
                static_cast<size_t>(std::max<LRESULT>(SendMessageW(hwnd, length, index, 0), 0)) + 1,
                L'\0');
            SendMessageW(hwnd, text, index, reinterpret_cast<LPARAM>(line.data()));
            PrintUtf8(line.c_str());
        }
        return 0;
    }
    if (cmd == L"selected") {
        const UINT msg = ClassIs(hwnd, WC_COMBOBOXW)     ? CB_GETCURSEL
                         : ClassIs(hwnd, WC_TABCONTROLW) ? TCM_GETCURSEL
                                                         : LB_GETCURSEL;
        std::printf("%lld\n", static_cast<long long>(SendMessageW(hwnd, msg, 0, 0)));
        return 0;
    }
    if (cmd == L"item-rect" && argc == 4) {
        // The system carries list box rectangles across processes.
        const long index = ParseLong(argv[3], ok);
        RECT r{};
        if (!ok) return 2;
        if (SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            return 1;
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"button-rect" && argc == 4) {
        // Toolbar messages are not carried across: the rectangle is written in the toolbar's
        // own process and read back from there.
        const long id = ParseLong(argv[3], ok);
        if (!ok) return 2;
        RemoteBuffer buffer(hwnd, sizeof(RECT));
        RECT r{};
        if (!SendMessageW(hwnd, TB_GETRECT, static_cast<WPARAM>(id), buffer.param()) ||
            !buffer.read(&r))
            return 1;
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"button-state" && argc == 4) {
        const long id = ParseLong(argv[3], ok);
        if (!ok) return 2;
        std::printf("%d %d\n",
                    SendMessageW(hwnd, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) ? 1 : 0,
                    SendMessageW(hwnd, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) ? 1 : 0);
        return 0;
    }
    if (cmd == L"checked") {
        std::printf("%d\n", SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (cmd == L"min-track") {
        MINMAXINFO info{};
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        std::printf("%ld %ld\n", info.ptMinTrackSize.x, info.ptMinTrackSize.y);
        return 0;
    }
    if (cmd == L"set-foreground") return SetForegroundWindow(hwnd) ? 0 : 1;
    if (cmd == L"move" && argc == 7) {
        long v[4];
        for (int i = 0; i < 4; ++i) {
            v[i] = ParseLong(argv[3 + i], ok);
            if (!ok) return 2;
        }
        return MoveWindow(hwnd, v[0], v[1], v[2], v[3], TRUE) ? 0 : 1;
    }
    if (cmd == L"close") return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"event" && argc == 4) {
        NotifyWinEvent(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 0)), hwnd, OBJID_WINDOW,
                       CHILDID_SELF);
        return 0;
    }
    if (cmd == L"command" && argc == 4) {
        long id = ParseLong(argv[3], ok);
        if (!ok) return 2;
        return PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) ? 0 : 1;
    }
    if (cmd == L"query-end-session" || cmd == L"end-session") {
        bool end = cmd == L"end-session";
        int msArg = end ? 4 : 3;
        WPARAM wp = 0;
        if (end) {
            if (argc < 4) return 2;
            wp = static_cast<WPARAM>(ParseLong(argv[3], ok));
            if (!ok) return 2;
        }
        UINT ms = 5000;
        if (argc > msArg) {
            ms = static_cast<UINT>(ParseLong(argv[msArg], ok));
            if (!ok) return 2;
        }
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(hwnd, end ? WM_ENDSESSION : WM_QUERYENDSESSION, wp, 0,
                                 SMTO_ABORTIFHUNG, ms, &result))
            return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(result));
        return 0;
    }
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Text mode would end lines with CR LF, which shell $(...) keeps.
    _setmode(_fileno(stdout), _O_BINARY);
    int rc = Run(argc, argv);
    if (rc == 2) std::fputs(kUsage, stderr);
    std::fflush(stdout);
    return rc;
}
