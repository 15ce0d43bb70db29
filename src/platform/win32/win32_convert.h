// Conversions at the Win32 boundary: UTF-16 text, window and monitor handles, rectangles.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace rimfold::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Win32 boundary needs 16-bit wchar_t");

inline const wchar_t* wide(const std::u16string& s) noexcept {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline const wchar_t* wide(const char16_t* s) noexcept {
  return reinterpret_cast<const wchar_t*>(s);
}
inline std::wstring toWide(std::u16string_view s) {
  return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}
inline std::u16string fromWide(std::wstring_view s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.data()), s.size());
}
inline std::u16string fromWide(const wchar_t* s, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(s), length);
}
// A fixed buffer as the API filled it, up to its first NUL.
template <std::size_t N>
std::u16string fromWideBuffer(const wchar_t (&buffer)[N]) {
  std::size_t n = 0;
  while (n < N && buffer[n] != L'\0') ++n;
  return fromWide(buffer, n);
}

// User handles carry 32 significant bits: truncate going in, sign-extend coming back,
// as the 32/64-bit interoperability rules prescribe.
inline Hwnd fromHwnd(HWND h) noexcept {
  return static_cast<Hwnd>(reinterpret_cast<std::uintptr_t>(h));
}
inline HWND toHwnd(Hwnd h) noexcept {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(h)));
}

inline Hmonitor fromHmonitor(HMONITOR m) noexcept {
  return static_cast<Hmonitor>(reinterpret_cast<std::uintptr_t>(m));
}
inline HMONITOR toHmonitor(Hmonitor m) noexcept {
  return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(m));
}

inline KernelHandle fromHandle(HANDLE h) noexcept {
  return static_cast<KernelHandle>(reinterpret_cast<std::uintptr_t>(h));
}
inline HANDLE toHandle(KernelHandle h) noexcept {
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(h));
}

inline TRect fromRect(const RECT& r) noexcept {
  return TRect{static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
               static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};
}
inline RECT toRect(const TRect& r) noexcept { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

inline TPoint fromPoint(const POINT& p) noexcept {
  return TPoint{static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)};
}
inline POINT toPoint(const TPoint& p) noexcept { return POINT{p.X, p.Y}; }

}  // namespace rimfold::win32
