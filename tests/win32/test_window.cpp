#include "win32/test_window.h"

namespace rimfold::win32::test {

namespace {

ATOM registerOwnClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kOwnWindowClass;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  return ::RegisterClassW(&wc);
}

}  // namespace

OwnWindow::OwnWindow(const OwnWindowDesc& desc) {
  static const ATOM kClass = registerOwnClass();
  (void)kClass;
  window_.reset(::CreateWindowExW(desc.exStyle, kOwnWindowClass, desc.title.c_str(), desc.style,
                                  desc.rect.left, desc.rect.top, desc.rect.right - desc.rect.left,
                                  desc.rect.bottom - desc.rect.top, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (window_ && desc.show >= 0) ::ShowWindow(window_.get(), desc.show);
  pumpMessages();
}

void pumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace rimfold::win32::test
