#include "app/window_base.h"

#include "app/exception_guard.h"

namespace rimfold::app {

namespace {

HINSTANCE moduleInstance() noexcept { return ::GetModuleHandleW(nullptr); }

bool ensureClassRegistered(const wchar_t* className, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(moduleInstance(), className, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = moduleInstance();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  return ::RegisterClassExW(&wc) != 0;
}

}  // namespace

WindowBase::~WindowBase() {
  if (hwnd_ != nullptr) {
    // A derived object is already gone: let the window die without reaching it.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND h = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(h);
  }
}

HWND WindowBase::createWindow(const CreateParams& params) {
  if (!ensureClassRegistered(params.className, &WindowBase::windowProc)) return nullptr;
  return ::CreateWindowExW(params.exStyle, params.className, params.title, params.style,
                           params.x, params.y, params.width, params.height, params.parent, nullptr,
                           moduleInstance(), this);
}

void WindowBase::destroyWindow() noexcept {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK WindowBase::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowBase* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);

  Message m{msg, wParam, lParam, 0};
  bool handled = false;
  // A handler that throws has answered 0, as an unanswered message would.
  if (!runGuarded([&] { handled = self->onMessage(m); })) handled = true;
  const LRESULT result = handled ? m.result : ::DefWindowProcW(hwnd, msg, wParam, lParam);

  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace rimfold::app
