// One window-procedure trampoline for every window of the shell: `this` is kept from
// WM_NCCREATE, each message is forwarded to the object inside the exception guard, and
// the binding is dropped at WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <cstddef>

namespace rimfold::ui {

// A window message as the handlers see it; result is the answer to the sender.
struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result = 0;
};

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND handle() const noexcept { return hwnd_; }

  // A control class whose windows own their object, as the system's controls do: any
  // CreateWindowEx with this class name (lpParam null) makes a T bound to the new window,
  // and the window deletes it at WM_NCDESTROY. Registered once per process.
  template <typename T>
  static bool registerControlClass(const wchar_t* className, UINT classStyle = 0) {
    return registerOwnedClass(className, classStyle, [](void) -> WindowBase* { return new T(); });
  }
  // The object of a window of such a class (or of any window of ours), else null.
  static WindowBase* fromHandle(HWND hwnd) noexcept;

 protected:
  struct CreateParams {
    const wchar_t* className;
    const wchar_t* title;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    HWND parent = nullptr;  // HWND_MESSAGE for a message-only window
    int iconId = 0;         // the class's caption and taskbar icon, a resource of the exe
  };
  // Registers the class on first use and creates the window bound to this object.
  // Returns null on failure.
  HWND createWindow(const CreateParams& params);
  // Destroys the window while this object is still whole, so that its handlers run.
  void destroyWindow() noexcept;

  // Handles m and returns true, or returns false for DefWindowProc.
  virtual bool onMessage(Message& m) = 0;
  LRESULT defaultProc(const Message& m) const noexcept {
    return ::DefWindowProcW(hwnd_, m.msg, m.wParam, m.lParam);
  }

 private:
  using Factory = WindowBase* (*)();
  static bool registerOwnedClass(const wchar_t* className, UINT classStyle, Factory factory);
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool ownedByWindow_ = false;  // made by the class's factory; deleted with the window
};

// The message cracker: a constant table from message number to member handler.
template <typename T>
struct MessageEntry {
  UINT msg;
  void (T::*handler)(Message&);
};

template <typename T, std::size_t N>
bool dispatchMessage(T& self, const MessageEntry<T> (&table)[N], Message& m) {
  for (const MessageEntry<T>& entry : table) {
    if (entry.msg == m.msg) {
      (self.*entry.handler)(m);
      return true;
    }
  }
  return false;
}

// Control notifications routed to named handlers: WM_COMMAND by control id and
// notification code, WM_NOTIFY by control id and NMHDR code.
template <typename T>
struct CommandEntry {
  int id;
  int code;
  void (T::*handler)();
};

template <typename T, std::size_t N>
bool dispatchCommand(T& self, const CommandEntry<T> (&table)[N], WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  for (const CommandEntry<T>& entry : table) {
    if (entry.id == id && entry.code == code) {
      (self.*entry.handler)();
      return true;
    }
  }
  return false;
}

template <typename T>
struct NotifyEntry {
  int id;
  UINT code;
  void (T::*handler)(NMHDR& header, LRESULT& result);
};

template <typename T, std::size_t N>
bool dispatchNotify(T& self, const NotifyEntry<T> (&table)[N], Message& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.lParam);
  if (header == nullptr) return false;
  for (const NotifyEntry<T>& entry : table) {
    if (entry.id == static_cast<int>(header->idFrom) && entry.code == header->code) {
      (self.*entry.handler)(*header, m.result);
      return true;
    }
  }
  return false;
}

}  // namespace rimfold::ui
