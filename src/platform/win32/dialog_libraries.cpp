#include "platform/win32/dialog_libraries.h"

#include "platform/win32/proc_address.h"

namespace rimfold::win32 {

namespace {

// Loaded once and kept for the rest of the run, like an import.
HMODULE comctl32() noexcept {
  static const HMODULE module = ::LoadLibraryW(L"comctl32.dll");
  return module;
}

HMODULE ole32() noexcept {
  static const HMODULE module = ::LoadLibraryW(L"ole32.dll");
  return module;
}

}  // namespace

BOOL initCommonControls(const INITCOMMONCONTROLSEX& classes) noexcept {
  static const auto fn =
      procAddress<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(comctl32(), "InitCommonControlsEx");
  return fn != nullptr ? fn(&classes) : FALSE;
}

BOOL setWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) noexcept {
  static const auto fn = procAddress<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR)>(
      comctl32(), "SetWindowSubclass");
  return fn != nullptr ? fn(window, proc, id, data) : FALSE;
}

BOOL removeWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) noexcept {
  static const auto fn =
      procAddress<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR)>(comctl32(), "RemoveWindowSubclass");
  return fn != nullptr ? fn(window, proc, id) : FALSE;
}

LRESULT defSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  static const auto fn =
      procAddress<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM)>(comctl32(), "DefSubclassProc");
  // Only a subclassed window calls it, and subclassing needed the library.
  return fn != nullptr ? fn(window, msg, wParam, lParam)
                       : ::DefWindowProcW(window, msg, wParam, lParam);
}

HRESULT coInitializeEx(DWORD model) noexcept {
  static const auto fn = procAddress<HRESULT(WINAPI*)(void*, DWORD)>(ole32(), "CoInitializeEx");
  return fn != nullptr ? fn(nullptr, model) : E_FAIL;
}

HRESULT coCreateInstance(const CLSID& clsid, DWORD context, const IID& iid,
                         void** object) noexcept {
  static const auto fn = procAddress<HRESULT(WINAPI*)(REFCLSID, void*, DWORD, REFIID, void**)>(
      ole32(), "CoCreateInstance");
  return fn != nullptr ? fn(clsid, nullptr, context, iid, object) : E_FAIL;
}

void coUninitialize() noexcept {
  static const auto fn = procAddress<void(WINAPI*)()>(ole32(), "CoUninitialize");
  if (fn != nullptr) fn();
}

}  // namespace rimfold::win32
