#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/win32_convert.h"

namespace rimfold::win32 {

namespace {

SYSTEMTIME toSystemTime(const LocalTime& t) noexcept {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  st.wMilliseconds = static_cast<WORD>(t.milliseconds);
  return st;
}

// Both formatters answer the needed size (with the NUL) when asked with no buffer.
template <typename Format>
std::u16string formatted(Format format) {
  int needed = format(nullptr, 0);
  if (needed <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(needed), L'\0');
  int n = format(buffer.data(), needed);
  if (n <= 0) return {};
  return fromWide(buffer.data(), static_cast<std::size_t>(n - 1));
}

}  // namespace

Win32Clock::Win32Clock() noexcept {
  LARGE_INTEGER f{};
  if (::QueryPerformanceFrequency(&f) && f.QuadPart > 0) frequency_ = f.QuadPart;
}

std::int64_t Win32Clock::nowMilliseconds() noexcept {
  LARGE_INTEGER counter{};
  if (frequency_ > 0 && ::QueryPerformanceCounter(&counter)) {
    // Split so that counter * 1000 cannot overflow on a long-running machine.
    std::int64_t c = counter.QuadPart;
    return (c / frequency_) * 1000 + (c % frequency_) * 1000 / frequency_;
  }
  return static_cast<std::int64_t>(::GetTickCount64());
}

std::int64_t Win32Clock::nowTicks() noexcept {
  LARGE_INTEGER counter{};
  if (frequency_ > 0 && ::QueryPerformanceCounter(&counter)) return counter.QuadPart;
  return static_cast<std::int64_t>(::GetTickCount64());
}

std::int64_t Win32Clock::ticksPerSecond() noexcept { return frequency_ > 0 ? frequency_ : 1000; }

void Win32Clock::sleep(std::uint32_t milliseconds) noexcept { ::Sleep(milliseconds); }

LocalTime Win32Clock::localTime() noexcept {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return LocalTime{st.wYear, st.wMonth,  st.wDay,    st.wDayOfWeek,
                   st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::u16string Win32Clock::formatShortDate(const LocalTime& t) {
  SYSTEMTIME st = toSystemTime(t);
  return formatted([&](wchar_t* buffer, int size) {
    return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
  });
}

std::u16string Win32Clock::formatLongTime(const LocalTime& t) {
  SYSTEMTIME st = toSystemTime(t);
  return formatted([&](wchar_t* buffer, int size) {
    return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
  });
}

}  // namespace rimfold::win32
