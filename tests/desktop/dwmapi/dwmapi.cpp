// A stand-in for Windows 10's window manager, for the desktop flavour "dwm10": Wine has
// none (its DwmGetWindowAttribute answers E_NOTIMPL). Loaded by Rimfold.exe alone through a
// per-application DLL override; every other program keeps Wine's builtin.
//
// DWMWA_EXTENDED_FRAME_BOUNDS: a sizable window's rectangle less Windows 10's invisible
//   resize borders at 100 %: 7 pixels left, right and bottom, none on top; a maximized
//   window's frame is its rectangle less the frame it overhangs its monitor by on each side.
//   Any other window's frame is its rectangle.
// DWMWA_CLOAKED: the value of the window property "RfCloaked" (rf_windows' "cloak" command
//   sets it; another process reads it with GetPropW), 0 without it.
#include <windows.h>

namespace {

constexpr DWORD kExtendedFrameBounds = 9;
constexpr DWORD kCloaked = 14;
constexpr int kInvisibleBorder = 7;

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND hwnd, DWORD attribute, PVOID value, DWORD size) {
    if (!IsWindow(hwnd)) return HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE);
    if (value == nullptr) return E_POINTER;
    if (attribute == kExtendedFrameBounds) {
        if (size != sizeof(RECT)) return E_INVALIDARG;
        RECT r{};
        if (!GetWindowRect(hwnd, &r)) return E_FAIL;
        const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        if ((style & WS_THICKFRAME) != 0 && !IsIconic(hwnd)) {
            if (IsZoomed(hwnd)) {
                const int x = GetSystemMetrics(SM_CXFRAME), y = GetSystemMetrics(SM_CYFRAME);
                r = {r.left + x, r.top + y, r.right - x, r.bottom - y};
            } else {
                r = {r.left + kInvisibleBorder, r.top, r.right - kInvisibleBorder,
                     r.bottom - kInvisibleBorder};
            }
        }
        *static_cast<RECT*>(value) = r;
        return S_OK;
    }
    if (attribute == kCloaked) {
        if (size != sizeof(DWORD)) return E_INVALIDARG;
        *static_cast<DWORD*>(value) =
            static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(GetPropW(hwnd, L"RfCloaked")));
        return S_OK;
    }
    return E_INVALIDARG;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
    if (enabled == nullptr) return E_POINTER;
    *enabled = TRUE;
    return S_OK;
}
