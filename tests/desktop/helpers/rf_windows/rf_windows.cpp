// rf_windows: creates test windows from a description and drives them on
// command, so end-to-end tests have windows of known class, style and place.
//
//   rf_windows <description-file> <report-file> [tag]
//
// Description: one window per line, '#' starts a comment line:
//   name|title|class|style-hex|exstyle-hex|x,y,w,h|flags
// flags (comma separated, optional):
//   min, max, hidden      initial show state (default: shown, not activated)
//   disabled, topmost
//   cloaked               the window property "RfCloaked" = 2 (DWM_CLOAKED_SHELL) before it
//                         shows, which the test dwmapi.dll of the dwm10 flavour reports
//   child-of=<name>       a WS_CHILD of an earlier window; x,y are client coordinates
//   owner=<name>          an owned top-level window
//   refuse-move           WM_WINDOWPOSCHANGING keeps the old position and size
//                         (moves by our own commands still go through)
//   defer-move            refuses another program's move in WM_WINDOWPOSCHANGING and makes
//                         it itself 20 ms later: Windows' order for an asynchronous move
//                         (the request is posted, a sent message overtakes it)
//   fight                 moves itself back where it stood 500 ms after another program moved
//                         it (a program that restores its own position), raising the location
//                         changes Windows would for both moves; its own commands' moves set
//                         that place
//   hung                  lives on its own thread, which stops pumping on "hang"
//   hung-at-start         as hung, and its thread never pumps until "unhang"
//   hung-after-show       as hung, and its thread stops pumping once it has handled what
//                         creating and showing the window queued, until "unhang"
// Any class name not already known is registered with this program's window
// procedure, e.g. ApplicationFrameWindow and Windows.UI.Core.CoreWindow.
//
// Report (written atomically once every window exists, and again on "report"):
//   control <hwnd> 0 0 0 0 normal
//   <name> <hwnd> <left> <top> <right> <bottom> <min|max|normal>[,hidden][,disabled]
// Handles are decimal; rectangles are GetWindowRect (screen coordinates).
//
// Commands arrive as WM_COPYDATA text (see rf_ctl send) at the hidden
// top-level window of class "RfWindowsControl" titled <tag> (default
// "rf_windows"); the reply is 1 when the command was carried out:
//   move <name> x y w h          SetWindowPos
//   event <name> <event>         NotifyWinEvent(event, hwnd, OBJID_WINDOW, CHILDID_SELF);
//                                event in decimal or 0x hex
//   drag <name> x y w h ms       MOVESIZESTART, moves in steps over ms (each step
//                                raising LOCATIONCHANGE), MOVESIZEEND
//   foreground <name>            SetForegroundWindow, then raises EVENT_SYSTEM_FOREGROUND
//                                (Wine raises none itself)
//   show <name> min|max|restore|hide|show
//   title <name> <text...>
//   enable <name> 0|1
//   cloak <name> 0|1             sets or removes the property "RfCloaked"
//   hang <name> / unhang <name>  the window's thread stops / resumes pumping
//   destroy <name>
//   create <description line>
//   report                       rewrites the report file
//   quit
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT_PTR kDeferTimer = 7;
constexpr UINT kDeferMs = 20;
constexpr UINT_PTR kFightTimer = 8;
constexpr UINT kFightMs = 500;
constexpr wchar_t kControlClass[] = L"RfWindowsControl";
constexpr wchar_t kCloakProperty[] = L"RfCloaked";
constexpr size_t kMaxWindows = 1024;

struct Window {
    std::wstring name;
    HWND hwnd = nullptr;
    bool refuseMove = false;
    bool hung = false;
    bool deferMove = false;
    RECT deferred{};  // the move to make when the timer fires
    bool fight = false;
    RECT home{};  // where a fighting window puts itself back
};

std::vector<Window> g_windows;
std::wstring g_reportPath;
HANDLE g_unhang = nullptr;  // manual-reset: set while hung windows may pump
bool g_ownMove = false;     // set around our own SetWindowPos calls

Window* Find(const std::wstring& name) {
    for (auto& w : g_windows)
        if (w.name == name) return &w;
    return nullptr;
}

Window* FindByHandle(HWND hwnd) {
    for (auto& w : g_windows)
        if (w.hwnd == hwnd) return &w;
    return nullptr;
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t pos = text.find(sep, start);
        parts.push_back(
            text.substr(start, pos == std::wstring::npos ? std::wstring::npos : pos - start));
        if (pos == std::wstring::npos) return parts;
        start = pos + 1;
    }
}

std::wstring Trim(const std::wstring& s) {
    size_t b = s.find_first_not_of(L" \t\r\n");
    if (b == std::wstring::npos) return L"";
    size_t e = s.find_last_not_of(L" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool ParseLong(const std::wstring& s, long& out) {
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    out = std::wcstol(s.c_str(), &end, 0);
    return *end == L'\0';
}

bool ParseHex(const std::wstring& s, DWORD& out) {
    if (s.empty()) {
        out = 0;
        return true;
    }
    wchar_t* end = nullptr;
    out = static_cast<DWORD>(std::wcstoul(s.c_str(), &end, 16));
    return *end == L'\0';
}

std::string Utf8(const std::wstring& s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring Wide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

// A move of the window's own, which its WM_WINDOWPOSCHANGING lets through.
void MoveOwnTo(HWND hwnd, const RECT& r) {
    g_ownMove = true;
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    g_ownMove = false;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_WINDOWPOSCHANGING: {
            Window* w = FindByHandle(hwnd);
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            const bool moves =
                (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
            if (w && w->deferMove && !g_ownMove && moves) {
                RECT r{};
                GetWindowRect(hwnd, &r);
                if (!(pos->flags & SWP_NOMOVE)) OffsetRect(&r, pos->x - r.left, pos->y - r.top);
                if (!(pos->flags & SWP_NOSIZE)) {
                    r.right = r.left + pos->cx;
                    r.bottom = r.top + pos->cy;
                }
                w->deferred = r;
                SetTimer(hwnd, kDeferTimer, kDeferMs, nullptr);
            }
            if (w && (w->refuseMove || w->deferMove) && !g_ownMove) {
                pos->flags |= SWP_NOMOVE | SWP_NOSIZE;
            }
            break;
        }
        case WM_WINDOWPOSCHANGED:
            if (Window* w = FindByHandle(hwnd); w && w->fight) {
                if (g_ownMove) {
                    GetWindowRect(hwnd, &w->home);
                } else {
                    RECT now{};
                    GetWindowRect(hwnd, &now);
                    // Windows raises the location change of any move; Wine raises none.
                    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, hwnd, OBJID_WINDOW, CHILDID_SELF);
                    if (!EqualRect(&now, &w->home)) SetTimer(hwnd, kFightTimer, kFightMs, nullptr);
                }
            }
            break;
        case WM_TIMER:
            if (wp == kFightTimer) {
                KillTimer(hwnd, kFightTimer);
                if (Window* w = FindByHandle(hwnd)) {
                    MoveOwnTo(hwnd, w->home);
                    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, hwnd, OBJID_WINDOW, CHILDID_SELF);
                }
                return 0;
            }
            if (wp == kDeferTimer) {
                KillTimer(hwnd, kDeferTimer);
                if (Window* w = FindByHandle(hwnd)) MoveOwnTo(hwnd, w->deferred);
                return 0;
            }
            break;
        case kHangMessage: WaitForSingleObject(g_unhang, INFINITE); return 0;
        case WM_CLOSE:
            // Closing is the test's business (quit/destroy); keep the window.
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool EnsureClass(const std::wstring& name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc)) return true;
    if (GetClassInfoExW(nullptr, name.c_str(), &wc)) return true;  // a system class
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

struct WindowDesc {
    std::wstring name, title, cls;
    DWORD style = 0, exStyle = 0;
    long x = 0, y = 0, w = 0, h = 0;
    bool min = false, max = false, hidden = false, disabled = false, topmost = false;
    bool cloaked = false;
    bool fight = false;
    bool refuseMove = false, deferMove = false, hung = false, hungAtStart = false,
         hungAfterShow = false;
    HWND parent = nullptr, owner = nullptr;
};

bool ParseDescription(const std::wstring& line, WindowDesc& desc, std::wstring& error) {
    auto f = Split(line, L'|');
    if (f.size() < 6) {
        error = L"needs at least 6 fields";
        return false;
    }
    desc.name = Trim(f[0]);
    desc.title = f[1];
    desc.cls = Trim(f[2]);
    if (desc.name.empty() || desc.cls.empty()) {
        error = L"empty name or class";
        return false;
    }
    if (Find(desc.name)) {
        error = L"duplicate name";
        return false;
    }
    if (!ParseHex(Trim(f[3]), desc.style) || !ParseHex(Trim(f[4]), desc.exStyle)) {
        error = L"bad style";
        return false;
    }
    auto r = Split(Trim(f[5]), L',');
    if (r.size() != 4 || !ParseLong(r[0], desc.x) || !ParseLong(r[1], desc.y) ||
        !ParseLong(r[2], desc.w) || !ParseLong(r[3], desc.h)) {
        error = L"bad rectangle";
        return false;
    }
    if (f.size() > 6) {
        for (auto& raw : Split(f[6], L',')) {
            std::wstring flag = Trim(raw);
            if (flag.empty()) continue;
            if (flag == L"min")
                desc.min = true;
            else if (flag == L"max")
                desc.max = true;
            else if (flag == L"hidden")
                desc.hidden = true;
            else if (flag == L"disabled")
                desc.disabled = true;
            else if (flag == L"topmost")
                desc.topmost = true;
            else if (flag == L"cloaked")
                desc.cloaked = true;
            else if (flag == L"refuse-move")
                desc.refuseMove = true;
            else if (flag == L"defer-move")
                desc.deferMove = true;
            else if (flag == L"fight")
                desc.fight = true;
            else if (flag == L"hung")
                desc.hung = true;
            else if (flag == L"hung-at-start")
                desc.hung = desc.hungAtStart = true;
            else if (flag == L"hung-after-show")
                desc.hung = desc.hungAfterShow = true;
            else if (flag.rfind(L"child-of=", 0) == 0 || flag.rfind(L"owner=", 0) == 0) {
                bool child = flag[0] == L'c';
                Window* other = Find(flag.substr(flag.find(L'=') + 1));
                if (!other) {
                    error = L"unknown window in " + flag;
                    return false;
                }
                (child ? desc.parent : desc.owner) = other->hwnd;
            } else {
                error = L"unknown flag " + flag;
                return false;
            }
        }
    }
    if (desc.parent) desc.style |= WS_CHILD;
    if (desc.topmost) desc.exStyle |= WS_EX_TOPMOST;
    return true;
}

HWND CreateFromDescription(const WindowDesc& desc) {
    if (!EnsureClass(desc.cls)) return nullptr;
    HWND parent = desc.parent ? desc.parent : desc.owner;
    HWND hwnd =
        CreateWindowExW(desc.exStyle, desc.cls.c_str(), desc.title.c_str(),
                        desc.style & ~static_cast<DWORD>(WS_VISIBLE), desc.x, desc.y, desc.w,
                        desc.h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return nullptr;
    if (desc.cloaked) SetPropW(hwnd, kCloakProperty, reinterpret_cast<HANDLE>(2));
    if (desc.disabled) EnableWindow(hwnd, FALSE);
    if (!desc.hidden) {
        int cmd = desc.min ? SW_SHOWMINNOACTIVE : desc.max ? SW_SHOWMAXIMIZED : SW_SHOWNA;
        ShowWindow(hwnd, cmd);
    }
    return hwnd;
}

// Hung windows get a thread of their own, so that stopping its message loop
// leaves the rest of this program responsive.
struct HungStart {
    WindowDesc desc;
    HWND hwnd = nullptr;
    HANDLE created = nullptr;
};

DWORD WINAPI HungThread(void* param) {
    auto* start = static_cast<HungStart*>(param);
    start->hwnd = CreateFromDescription(start->desc);
    const bool atStart = start->desc.hungAtStart, afterShow = start->desc.hungAfterShow;
    SetEvent(start->created);
    MSG msg;
    if (afterShow) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    // A program busy from its start, or from right after it showed its window.
    if (atStart || afterShow) WaitForSingleObject(g_unhang, INFINITE);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

bool AddWindow(const std::wstring& line, std::wstring& error) {
    WindowDesc desc;
    if (g_windows.size() >= kMaxWindows) {
        error = L"too many windows";
        return false;
    }
    if (!ParseDescription(line, desc, error)) return false;
    HWND hwnd = nullptr;
    if (desc.hung) {
        if (desc.hungAtStart || desc.hungAfterShow) ResetEvent(g_unhang);
        auto* start = new HungStart{desc, nullptr, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        HANDLE thread = CreateThread(nullptr, 0, HungThread, start, 0, nullptr);
        if (thread) {
            WaitForSingleObject(start->created, INFINITE);
            CloseHandle(thread);
        }
        hwnd = start->hwnd;
        CloseHandle(start->created);
        delete start;  // the thread no longer touches it once "created" is set
    } else {
        hwnd = CreateFromDescription(desc);
    }
    if (!hwnd) {
        error = L"CreateWindowEx failed";
        return false;
    }
    Window added{desc.name, hwnd, desc.refuseMove, desc.hung, desc.deferMove, {}, desc.fight, {}};
    GetWindowRect(hwnd, &added.home);
    g_windows.push_back(added);
    return true;
}

void WriteReport(HWND control) {
    std::string text =
        "control " + std::to_string(reinterpret_cast<uintptr_t>(control)) + " 0 0 0 0 normal\n";
    for (const auto& w : g_windows) {
        if (!IsWindow(w.hwnd)) continue;
        RECT r{};
        GetWindowRect(w.hwnd, &r);
        std::string state = IsIconic(w.hwnd) ? "min" : IsZoomed(w.hwnd) ? "max" : "normal";
        if (!IsWindowVisible(w.hwnd)) state += ",hidden";
        if (!IsWindowEnabled(w.hwnd)) state += ",disabled";
        char buf[160];
        std::snprintf(buf, sizeof buf, " %llu %ld %ld %ld %ld ",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w.hwnd)), r.left,
                      r.top, r.right, r.bottom);
        text += Utf8(w.name) + buf + state + "\n";
    }
    // Written beside and renamed, so a reader never sees half a report.
    std::wstring tmp = g_reportPath + L".tmp";
    HANDLE f = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    MoveFileExW(tmp.c_str(), g_reportPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

UINT PosFlags(const Window& w) {
    return SWP_NOZORDER | SWP_NOACTIVATE | (w.hung ? SWP_ASYNCWINDOWPOS : 0);
}

void MoveOwn(const Window& w, long x, long y, long cx, long cy) {
    g_ownMove = true;
    SetWindowPos(w.hwnd, nullptr, x, y, cx, cy, PosFlags(w));
    g_ownMove = false;
}

void Notify(DWORD event, HWND hwnd) { NotifyWinEvent(event, hwnd, OBJID_WINDOW, CHILDID_SELF); }

bool Drag(const Window& w, long x, long y, long cx, long cy, long ms) {
    RECT from{};
    GetWindowRect(w.hwnd, &from);
    if (GetParent(w.hwnd))
        MapWindowPoints(nullptr, GetParent(w.hwnd), reinterpret_cast<POINT*>(&from), 2);
    Notify(EVENT_SYSTEM_MOVESIZESTART, w.hwnd);
    const long steps = ms <= 0 ? 1 : (ms / 20 > 0 ? ms / 20 : 1);
    const long fw = from.right - from.left, fh = from.bottom - from.top;
    for (long i = 1; i <= steps; ++i) {
        if (ms > 0) Sleep(static_cast<DWORD>(ms / steps));
        MoveOwn(w, from.left + (x - from.left) * i / steps, from.top + (y - from.top) * i / steps,
                fw + (cx - fw) * i / steps, fh + (cy - fh) * i / steps);
        Notify(EVENT_OBJECT_LOCATIONCHANGE, w.hwnd);
    }
    Notify(EVENT_SYSTEM_MOVESIZEEND, w.hwnd);
    return true;
}

bool Execute(HWND control, const std::wstring& line) {
    std::wstring cmd = Trim(line);
    size_t sp = cmd.find(L' ');
    std::wstring verb = cmd.substr(0, sp);
    std::wstring rest = sp == std::wstring::npos ? L"" : Trim(cmd.substr(sp + 1));
    if (verb == L"quit") {
        PostQuitMessage(0);
        return true;
    }
    if (verb == L"report") {
        WriteReport(control);
        return true;
    }
    if (verb == L"create") {
        std::wstring error;
        return AddWindow(rest, error);
    }
    std::vector<std::wstring> args;
    for (auto& a : Split(rest, L' '))
        if (!a.empty()) args.push_back(a);
    if (args.empty()) return false;
    Window* w = Find(args[0]);
    if (!w || !IsWindow(w->hwnd)) return false;
    std::vector<long> n;
    for (size_t i = 1; i < args.size(); ++i) {
        long v = 0;
        if (!ParseLong(args[i], v)) break;
        n.push_back(v);
    }
    if (verb == L"move" && n.size() == 4) {
        MoveOwn(*w, n[0], n[1], n[2], n[3]);
        return true;
    }
    if (verb == L"event" && n.size() == 1) {
        Notify(static_cast<DWORD>(n[0]), w->hwnd);
        return true;
    }
    if (verb == L"drag" && n.size() == 5) return Drag(*w, n[0], n[1], n[2], n[3], n[4]);
    if (verb == L"foreground") {
        SetForegroundWindow(w->hwnd);
        Notify(EVENT_SYSTEM_FOREGROUND, w->hwnd);
        return true;
    }
    if (verb == L"show" && args.size() == 2) {
        static const std::map<std::wstring, int> kShow = {{L"min", SW_MINIMIZE},
                                                          {L"max", SW_MAXIMIZE},
                                                          {L"restore", SW_RESTORE},
                                                          {L"hide", SW_HIDE},
                                                          {L"show", SW_SHOWNA}};
        auto it = kShow.find(args[1]);
        if (it == kShow.end()) return false;
        g_ownMove = true;
        if (w->hung)
            ShowWindowAsync(w->hwnd, it->second);
        else
            ShowWindow(w->hwnd, it->second);
        g_ownMove = false;
        return true;
    }
    if (verb == L"title") {
        std::wstring text = Trim(rest.substr(args[0].size()));
        return SetWindowTextW(w->hwnd, text.c_str()) != 0;
    }
    if (verb == L"cloak" && n.size() == 1) {
        if (n[0] != 0) return SetPropW(w->hwnd, kCloakProperty, reinterpret_cast<HANDLE>(2)) != 0;
        RemovePropW(w->hwnd, kCloakProperty);
        return true;
    }
    if (verb == L"enable" && n.size() == 1) {
        EnableWindow(w->hwnd, n[0] != 0);
        return true;
    }
    if (verb == L"hang" && w->hung) {
        ResetEvent(g_unhang);
        return PostMessageW(w->hwnd, kHangMessage, 0, 0) != 0;
    }
    if (verb == L"unhang" && w->hung) {
        SetEvent(g_unhang);
        return true;
    }
    if (verb == L"destroy" && !w->hung) {
        return DestroyWindow(w->hwnd) != 0;
    }
    return false;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
        auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
        std::string text(static_cast<const char*>(cds->lpData), cds->cbData);
        return Execute(hwnd, Wide(text)) ? 1 : 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool ReadFileText(const std::wstring& path, std::wstring& out) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(f);
    out = Wide(bytes);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: rf_windows <description-file> <report-file> [tag]\n", stderr);
        return 2;
    }
    g_reportPath = argv[2];
    const wchar_t* tag = argc > 3 ? argv[3] : L"rf_windows";
    g_unhang = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    // Hung windows read this list from their own thread: never reallocate it.
    g_windows.reserve(kMaxWindows);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kControlClass;
    RegisterClassExW(&wc);
    // A hidden top-level window rather than a message-only one: FindWindow
    // in rf_ctl must see it.
    HWND control = CreateWindowExW(WS_EX_TOOLWINDOW, kControlClass, tag, WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!control) return 1;

    std::wstring description;
    if (!ReadFileText(argv[1], description)) {
        std::fputs("rf_windows: cannot read the description file\n", stderr);
        return 1;
    }
    int lineNo = 0;
    for (auto& raw : Split(description, L'\n')) {
        ++lineNo;
        std::wstring line = Trim(raw);
        if (line.empty() || line[0] == L'#') continue;
        std::wstring error;
        if (!AddWindow(line, error)) {
            std::fprintf(stderr, "rf_windows: line %d: %s\n", lineNo, Utf8(error).c_str());
            return 1;
        }
    }
    WriteReport(control);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Hung threads may be blocked for good; don't wait for them.
    ExitProcess(0);
}
