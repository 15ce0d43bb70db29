#include "ui/window_base.h"

#include "ui/exception_guard.h"

namespace rimfold::ui {

namespace {

HINSTANCE moduleInstance() noexcept { return ::GetModuleHandleW(nullptr); }

// The factory of a self-owned control class sits in the class's extra bytes.
constexpr int kFactorySlot = 0;

HICON sharedIcon(int id, int metric) noexcept {
  const int size = ::GetSystemMetrics(metric);
  // Shared: the system keeps it for as long as the module; the window never destroys it.
  return static_cast<HICON>(
      ::LoadImageW(moduleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
}

bool ensureClassRegistered(const wchar_t* className, WNDPROC proc, UINT classStyle = 0,
                           int classExtra = 0) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(moduleInstance(), className, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = proc;
  wc.cbClsExtra = classExtra;
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
  HWND h = ::CreateWindowExW(params.exStyle, params.className, params.title, params.style, params.x,
                             params.y, params.width, params.height, params.parent, nullptr,
                             moduleInstance(), this);
  if (h != nullptr && params.iconId != 0) {
    ::SendMessageW(h, WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(sharedIcon(params.iconId, SM_CXICON)));
    ::SendMessageW(h, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(sharedIcon(params.iconId, SM_CXSMICON)));
  }
  return h;
}

bool WindowBase::registerOwnedClass(const wchar_t* className, UINT classStyle, Factory factory) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(moduleInstance(), className, &existing)) return true;
  if (!ensureClassRegistered(className, &WindowBase::windowProc, classStyle,
                             static_cast<int>(sizeof(Factory)))) {
    return false;
  }
  // The class's extra bytes can only be set through a window of the class.
  HWND probe = ::CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 moduleInstance(), nullptr);
  if (probe == nullptr) return false;
  ::SetClassLongPtrW(probe, kFactorySlot, reinterpret_cast<LONG_PTR>(factory));
  ::DestroyWindow(probe);
  return true;
}

WindowBase* WindowBase::fromHandle(HWND hwnd) noexcept {
  if (hwnd == nullptr) return nullptr;
  // The class's procedure, not the window's: tooltips and others subclass our windows.
  WNDPROC proc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC));
  if (proc != &WindowBase::windowProc) return nullptr;
  return reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void WindowBase::destroyWindow() noexcept {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK WindowBase::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowBase* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self == nullptr) {
      // A self-owned control: its class knows how to make the object (the probe window
      // that registration makes has no factory yet and stays unbound).
      const auto factory = reinterpret_cast<Factory>(::GetClassLongPtrW(hwnd, kFactorySlot));
      if (factory != nullptr && !runGuarded([&] { self = factory(); })) self = nullptr;
      if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
      self->ownedByWindow_ = true;
    }
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
    if (self->ownedByWindow_) delete self;
  }
  return result;
}

}  // namespace rimfold::ui
