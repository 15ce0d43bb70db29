#include "rtl/text_utils.h"

#include <algorithm>
#include <iterator>

namespace rimfold {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

int digitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

// Bad sequences are replaced one maximal invalid prefix at a time (the Unicode
// recommendation), so a truncated sequence costs one U+FFFD, not one per byte.
std::u16string utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
      continue;
    }
    int length = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      cp = b0 & 0x0F;
      if (b0 == 0xE0) lo = 0xA0;  // overlong
      if (b0 == 0xED) hi = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      cp = b0 & 0x07;
      if (b0 == 0xF0) lo = 0x90;  // overlong
      if (b0 == 0xF4) hi = 0x8F;  // beyond U+10FFFF
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool ok = true;
    for (int k = 1; k < length; ++k, ++j) {
      if (j >= n) {
        ok = false;
        break;
      }
      const auto b = static_cast<unsigned char>(s[j]);
      const unsigned char min = k == 1 ? lo : 0x80;
      const unsigned char max = k == 1 ? hi : 0xBF;
      if (b < min || b > max) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (b & 0x3F);
    }
    if (ok) {
      appendCodePoint(out, cp);
    } else {
      out.push_back(kReplacement);
    }
    i = j;
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n; ++i) {
    char32_t c = s[i];
    if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(s[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::u16string upperAscii(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  }
  return out;
}

namespace {

// Every stride-th code unit from first to last maps to itself plus delta.
struct CaseRun {
  char16_t first;
  char16_t last;
  std::uint8_t stride;
  std::int32_t delta;
};

constexpr CaseRun kUpperRuns[] = {
#include "rtl/case_table.inc"
};

}  // namespace

char16_t foldCaseChar(char16_t c) {
  // Window titles and keys are mostly ASCII: no search for them.
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  const auto* run = std::upper_bound(std::begin(kUpperRuns), std::end(kUpperRuns), c,
                                     [](char16_t v, const CaseRun& r) { return v < r.first; });
  if (run == std::begin(kUpperRuns)) return c;
  --run;
  if (c > run->last || (c - run->first) % run->stride != 0) return c;
  return static_cast<char16_t>(c + run->delta);
}

std::u16string foldCase(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) c = foldCaseChar(c);
  return out;
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && foldCaseChar(a[i]) != foldCaseChar(b[i])) return false;
  }
  return true;
}

int indexOfIgnoreCase(const StringList& list, std::u16string_view s) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (equalsIgnoreCase(list[i], s)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::int32_t> parseInteger(std::u16string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == u'+' || s[0] == u'-')) {
    negative = s[0] == u'-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    base = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && s[0] == u'$') {
    base = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  // Hexadecimal fits as an unsigned 32-bit pattern; decimal up to 2^31 (for the minimum).
  const std::uint64_t limit =
      base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t value = 0;
  for (char16_t c : s) {
    const int d = digitValue(c);
    if (d < 0 || d >= base) return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value > limit) return std::nullopt;
  }
  if (base == 16) {
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(value))
                  : static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> parseInteger64(std::u16string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == u'+' || s[0] == u'-')) {
    negative = s[0] == u'-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  const std::uint64_t limit = negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull;
  std::uint64_t value = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return std::nullopt;
    const auto d = static_cast<std::uint64_t>(c - u'0');
    if (value > (limit - d) / 10) return std::nullopt;
    value = value * 10 + d;
  }
  if (negative) return static_cast<std::int64_t>(0ull - value);
  return static_cast<std::int64_t>(value);
}

std::u16string toDecimal(std::int64_t v) {
  // Through the unsigned magnitude so that the minimum value does not overflow.
  std::uint64_t magnitude =
      v < 0 ? 0ull - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  char16_t buffer[24];
  std::size_t pos = sizeof(buffer) / sizeof(buffer[0]);
  do {
    buffer[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (v < 0) buffer[--pos] = u'-';
  return std::u16string(buffer + pos, std::end(buffer));
}

}  // namespace rimfold
