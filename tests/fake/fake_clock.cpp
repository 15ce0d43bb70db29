// The fake desktop as IClock and ICodePage (Windows-1252).
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to the same code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

// ---------------------------------------------------------------- IClock

std::int64_t FakeDesktop::nowMilliseconds() {
  tick(Op::NowMilliseconds);
  return now_;
}

std::int64_t FakeDesktop::nowTicks() {
  tick(Op::NowMilliseconds);
  return now_ * (kFakeTicksPerSecond / 1000) + subTicks_;
}

std::int64_t FakeDesktop::ticksPerSecond() { return kFakeTicksPerSecond; }

void FakeDesktop::sleep(std::uint32_t milliseconds) {
  tick(Op::Sleep);
  sleepLog_.push_back(milliseconds);
  now_ += milliseconds;
}

LocalTime FakeDesktop::localTime() {
  tick(Op::LocalTime);
  return localTime_;
}

std::u16string FakeDesktop::formatShortDate(const LocalTime& t) {
  tick(Op::FormatShortDate);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.year, t.month, t.day);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

std::u16string FakeDesktop::formatLongTime(const LocalTime& t) {
  tick(Op::FormatLongTime);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

// ---------------------------------------------------------------- ICodePage (1252)

std::u16string FakeDesktop::ansiToUtf16(std::string_view bytes) const {
  count(Op::AnsiToUtf16);
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t{b});
  }
  return out;
}

std::string FakeDesktop::utf16ToAnsi(std::u16string_view text) const {
  count(Op::Utf16ToAnsi);
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char mapped = '?';  // each unrepresentable code unit, surrogates included
    for (int i = 0; i < 32; ++i) {
      if (kCp1252High[i] == c) mapped = static_cast<char>(0x80 + i);
    }
    out.push_back(mapped);
  }
  return out;
}

}  // namespace rimfold::test
