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

OwnWindow::OwnWindow(const OwnWindowSpec& spec) {
  static const ATOM kClass = registerOwnClass();
  (void)kClass;
  window_.reset(::CreateWindowExW(spec.exStyle, kOwnWindowClass, spec.title.c_str(), spec.style,
                                  spec.rect.left, spec.rect.top,
                                  spec.rect.right - spec.rect.left,
                                  spec.rect.bottom - spec.rect.top, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (window_ && spec.show >= 0) ::ShowWindow(window_.get(), spec.show);
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
