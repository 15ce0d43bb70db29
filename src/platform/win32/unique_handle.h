// Move-only owners of Win32 handles, one type per kind, released on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace rimfold::win32 {

template <typename Traits>
class UniqueResource {
 public:
  using Type = typename Traits::Type;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Type value) noexcept : value_(value) {}
  ~UniqueResource() { reset(); }

  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  [[nodiscard]] Type get() const noexcept { return value_; }
  [[nodiscard]] bool valid() const noexcept { return value_ != Traits::invalid(); }
  explicit operator bool() const noexcept { return valid(); }

  [[nodiscard]] Type release() noexcept { return std::exchange(value_, Traits::invalid()); }
  void reset(Type value = Traits::invalid()) noexcept {
    Type old = std::exchange(value_, value);
    if (old != Traits::invalid()) Traits::close(old);
  }

 private:
  Type value_ = Traits::invalid();
};

namespace traits {

struct KernelHandle {
  using Type = HANDLE;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::CloseHandle(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct File {
  using Type = HANDLE;
  static Type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Type h) noexcept { ::CloseHandle(h); }
};
struct Find {
  using Type = HANDLE;
  static Type invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Type h) noexcept { ::FindClose(h); }
};
struct Module {
  using Type = HMODULE;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::FreeLibrary(h); }
};
struct RegKey {
  using Type = HKEY;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::RegCloseKey(h); }
};
struct GdiObject {
  using Type = HGDIOBJ;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::DeleteObject(h); }
};
struct MemoryDC {
  using Type = HDC;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::DeleteDC(h); }
};
// The screen's DC of GetDC(nullptr).
struct ScreenDC {
  using Type = HDC;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::ReleaseDC(nullptr, h); }
};
struct Icon {
  using Type = HICON;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::DestroyIcon(h); }
};
struct Menu {
  using Type = HMENU;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::DestroyMenu(h); }
};
struct Window {
  using Type = HWND;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::DestroyWindow(h); }
};
struct WinEventHook {
  using Type = HWINEVENTHOOK;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::UnhookWinEvent(h); }
};
// Memory for the clipboard; once SetClipboardData took it, it is the system's.
struct GlobalMemory {
  using Type = HGLOBAL;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::GlobalFree(h); }
};
// Closing the last handle destroys a named mutex; ownership is not released here.
struct Mutex {
  using Type = HANDLE;
  static Type invalid() noexcept { return nullptr; }
  static void close(Type h) noexcept { ::CloseHandle(h); }
};

}  // namespace traits

using UniqueHandle = UniqueResource<traits::KernelHandle>;
using UniqueFile = UniqueResource<traits::File>;
using UniqueFind = UniqueResource<traits::Find>;
using UniqueModule = UniqueResource<traits::Module>;
using UniqueRegKey = UniqueResource<traits::RegKey>;
using UniqueGdiObject = UniqueResource<traits::GdiObject>;
using UniqueMemoryDC = UniqueResource<traits::MemoryDC>;
using UniqueScreenDC = UniqueResource<traits::ScreenDC>;
using UniqueIcon = UniqueResource<traits::Icon>;
using UniqueMenu = UniqueResource<traits::Menu>;
using UniqueWindow = UniqueResource<traits::Window>;
using UniqueWinEventHook = UniqueResource<traits::WinEventHook>;
using UniqueMutex = UniqueResource<traits::Mutex>;

// A COM interface pointer, released on every path.
template <typename Interface>
class UniqueCom {
 public:
  UniqueCom() noexcept = default;
  explicit UniqueCom(Interface* p) noexcept : p_(p) {}
  ~UniqueCom() { reset(); }
  UniqueCom(const UniqueCom&) = delete;
  UniqueCom& operator=(const UniqueCom&) = delete;
  UniqueCom(UniqueCom&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  UniqueCom& operator=(UniqueCom&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }

  [[nodiscard]] Interface* get() const noexcept { return p_; }
  Interface* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  void reset(Interface* p = nullptr) noexcept {
    Interface* old = std::exchange(p_, p);
    if (old != nullptr) old->Release();
  }

 private:
  Interface* p_ = nullptr;
};
using UniqueGlobalMemory = UniqueResource<traits::GlobalMemory>;

// A window's device context from GetDC, given back to the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  [[nodiscard]] HDC get() const noexcept { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint and its EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
  ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  [[nodiscard]] HDC get() const noexcept { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// An object selected into a device context for a scope; the previous one goes back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(dc != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    // HGDI_ERROR, spelt out: the macro's own conversion trips -Wsign-conversion.
    const auto gdiError = reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1));
    if (previous_ != nullptr && previous_ != gdiError) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace rimfold::win32
