// The parts of comctl32 and ole32 only the configuration dialog uses, loaded when it is
// first shown: imported, they would be mapped into every resident Rimfold from its start.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace rimfold::win32 {

// Each fails as the function itself does when its library cannot be loaded.
BOOL initCommonControls(const INITCOMMONCONTROLSEX& classes) noexcept;
BOOL setWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept;
BOOL removeWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept;
LRESULT defSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

HRESULT coInitializeEx(DWORD model) noexcept;
HRESULT coCreateInstance(const CLSID& clsid, DWORD context, const IID& iid, void** object) noexcept;
void coUninitialize() noexcept;

}  // namespace rimfold::win32
