#include "rtl/text_utils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "fake/fake_desktop.h"
#include "rtl/date_time_text.h"

namespace rimfold {
namespace {

TEST(TextUtils, Utf8RoundTripsValidText) {
  const std::u16string samples[] = {
      u"",
      u"ASCII text, 123",
      u"\u00E9\u00FF\u0100",              // two-byte forms
      u"\u51E6\u7406\u3057\u306A\u3044",  // three-byte forms
      u"\uFEFFkept leading U+FEFF",
      u"\U0001F600 and \U0010FFFF",  // surrogate pairs
      std::u16string(1, u'\0') + u"nul inside",
  };
  for (const auto& s : samples) {
    EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(s)), s);
  }
  EXPECT_EQ(utf16ToUtf8(u"\u20AC\U0001F600"), "\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(TextUtils, Utf8DecodingReplacesBadSequences) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"lone continuation",
       "a\x80"
       "b",
       u"a\uFFFDb"},
      {"truncated at end", "a\xE3\x81", u"a\uFFFD"},
      {"truncated then ASCII",
       "\xE3\x81"
       "A",
       u"\uFFFDA"},
      {"overlong two-byte", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"invalid lead F8", "\xF8", u"\uFFFD"},
      {"max code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToUtf16(c.bytes), c.expected) << c.name;
  }
}

TEST(TextUtils, Utf16ToUtf8ReplacesUnpairedSurrogates) {
  EXPECT_EQ(utf16ToUtf8(std::u16string{u'a', char16_t(0xD800)}), "a\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xDC00), u'b'}),
            "\xEF\xBF\xBD"
            "b");
}

TEST(TextUtils, UpperAsciiTouchesOnlyAToZ) {
  EXPECT_EQ(upperAscii(u"notepad.exe \u00E9\uFF41"), u"NOTEPAD.EXE \u00E9\uFF41");
}

TEST(TextUtils, EqualsIgnoreCase) {
  struct Case {
    std::u16string a, b;
    bool equal;
  };
  const Case cases[] = {
      {u"NOTEPAD.EXE,", u"notepad.exe,", true},
      {u"Caf\u00E9", u"CAF\u00C9", true},        // Latin-1 letters fold
      {u"\u00FF", u"\u0178", true},              // y with diaeresis
      {u"\u00F7", u"\u00D7", false},             // division and multiplication signs
      {u"\uFF41\uFF5A", u"\uFF21\uFF3A", true},  // full-width Latin
      {u"abc", u"abcd", false},                  // whole string only
      {u"abc", u"ab", false},
      {u"", u"", true},
      {u"\u3042", u"\u30A2", false},  // hiragana is not katakana
      {u"[", u"{", false},            // not letters, differ by 0x20
      {u"@", u"`", false},
      {u"окно", u"ОКНО", true},  // Cyrillic
      {u"αβγσ", u"ΑΒΓΣ", true},  // Greek
      {u"ς", u"Σ", false},       // final sigma keeps its identity
      {u"łódź", u"ŁÓDŹ", true},  // Latin Extended-A (pairs)
      {u"ß", u"SS", false},      // no one-unit mapping
      {u"і", u"I", false},       // Ukrainian i is no Latin I
  };
  for (const auto& c : cases) {
    EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal) << utf16ToUtf8(c.a) << " / " << utf16ToUtf8(c.b);
    EXPECT_EQ(equalsIgnoreCase(c.b, c.a), c.equal);
  }
}

TEST(TextUtils, IndexOfIgnoreCaseFindsFirstFromTop) {
  const StringList list = {u"A,b,", u"x,", u"a,B,", u"X,"};
  EXPECT_EQ(indexOfIgnoreCase(list, u"a,b,"), 0);
  EXPECT_EQ(indexOfIgnoreCase(list, u"X,"), 1);
  EXPECT_EQ(indexOfIgnoreCase(list, u"x"), -1);
  EXPECT_EQ(indexOfIgnoreCase({}, u""), -1);
}

TEST(TextUtils, ParseInteger) {
  struct Case {
    std::u16string text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {u"0", 0},
      {u"42", 42},
      {u"+7", 7},
      {u"-15", -15},
      {u"007", 7},
      {u"2147483647", 2147483647},
      {u"-2147483648", INT32_MIN},
      {u"2147483648", std::nullopt},
      {u"-2147483649", std::nullopt},
      {u"99999999999", std::nullopt},
      {u"0x1F", 31},
      {u"0XfF", 255},
      {u"$10", 16},
      {u"-0x10", -16},
      {u"0xFFFFFFFF", -1},
      {u"0x100000000", std::nullopt},
      {u"0x", std::nullopt},
      {u"$", std::nullopt},
      {u"", std::nullopt},
      {u"-", std::nullopt},
      {u" 1", std::nullopt},
      {u"1 ", std::nullopt},
      {u"yes", std::nullopt},
      {u"12a", std::nullopt},
      {u"1.5", std::nullopt},
      {u"0x1G", std::nullopt},
      {u"\uFF11", std::nullopt},  // full-width digit
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parseInteger(c.text), c.value) << utf16ToUtf8(c.text);
  }
}

TEST(TextUtils, ParseInteger64) {
  struct Case {
    std::u16string text;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {u"99999999999", 99999999999LL},
      {u"-5", -5},
      {u"9223372036854775807", INT64_MAX},
      {u"-9223372036854775808", INT64_MIN},
      {u"9223372036854775808", std::nullopt},
      {u"18446744073709551616", std::nullopt},
      {u"", std::nullopt},
      {u"+", std::nullopt},
      {u"1e3", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parseInteger64(c.text), c.value) << utf16ToUtf8(c.text);
  }
}

TEST(TextUtils, ToDecimal) {
  EXPECT_EQ(toDecimal(0), u"0");
  EXPECT_EQ(toDecimal(-1920), u"-1920");
  EXPECT_EQ(toDecimal(INT64_MAX), u"9223372036854775807");
  EXPECT_EQ(toDecimal(INT64_MIN), u"-9223372036854775808");
  for (const std::int64_t v : {std::int64_t{INT64_MIN}, std::int64_t{-32000}, std::int64_t{1080},
                               std::int64_t{INT64_MAX}}) {
    EXPECT_EQ(parseInteger64(toDecimal(v)), v);
  }
}

TEST(LogTimestamp, TimeOmittedOnlyAtMidnight) {
  struct Case {
    int hour, minute, second;
    std::u16string expected;
  };
  const Case cases[] = {
      {0, 0, 0, u"2024/12/12"},         {0, 0, 1, u"2024/12/12 0:00:01"},
      {0, 1, 0, u"2024/12/12 0:01:00"}, {1, 0, 0, u"2024/12/12 1:00:00"},
      {9, 5, 3, u"2024/12/12 9:05:03"},
  };
  test::FakeDesktop desktop;
  for (const auto& c : cases) {
    LocalTime t;
    t.year = 2024;
    t.month = 12;
    t.day = 12;
    t.hour = c.hour;
    t.minute = c.minute;
    t.second = c.second;
    t.milliseconds = 500;  // never shown, never decides
    EXPECT_EQ(logTimestamp(desktop, t), c.expected);
  }
}

}  // namespace
}  // namespace rimfold
