#include "rtl/text_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "rtl/text_utils.h"

namespace rimfold {
namespace {

// Bytes below 0x80 are ASCII, 0xE9 is e-acute, 0x80 the euro sign; other high bytes are
// undefined and read as U+FFFD. Unmappable characters are written as "?".
class SmallCodePage final : public ICodePage {
 public:
  std::u16string ansiToUtf16(std::string_view bytes) const override {
    std::u16string out;
    for (char b : bytes) {
      const auto u = static_cast<unsigned char>(b);
      out.push_back(u < 0x80 ? u : u == 0xE9 ? u'\u00E9' : u == 0x80 ? u'\u20AC' : u'\uFFFD');
    }
    return out;
  }
  std::string utf16ToAnsi(std::u16string_view text) const override {
    std::string out;
    for (char16_t c : text) {
      out.push_back(c < 0x80         ? static_cast<char>(c)
                    : c == u'\u00E9' ? '\xE9'
                    : c == u'\u20AC' ? '\x80'
                                     : '?');
    }
    return out;
  }
};

const SmallCodePage kCodePage;

std::string bytesOf(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(TextCodec, DecodeSelectsEncodingByBom) {
  struct Case {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::u16string text;
  };
  const Case cases[] = {
      {"ANSI", "caf\xE9 \x80", TextEncoding::Ansi, u"caf\u00E9 \u20AC"},
      {"UTF-8",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9",
       TextEncoding::Utf8, u"caf\u00E9"},
      {"UTF-16 LE", bytesOf({0xFF, 0xFE, 'a', 0, 0x42, 0x30}), TextEncoding::Utf16LE, u"a\u3042"},
      {"UTF-16 BE", bytesOf({0xFE, 0xFF, 0, 'a', 0x30, 0x42}), TextEncoding::Utf16BE, u"a\u3042"},
      {"UTF-8 BOM alone", "\xEF\xBB\xBF", TextEncoding::Utf8, u""},
      {"UTF-16 LE BOM alone", "\xFF\xFE", TextEncoding::Utf16LE, u""},
      {"UTF-16 BE BOM alone", "\xFE\xFF", TextEncoding::Utf16BE, u""},
      {"empty", "", TextEncoding::Ansi, u""},
      {"partial UTF-8 BOM is ANSI", "\xEF\xBB", TextEncoding::Ansi, u"\uFFFD\uFFFD"},
      {"single FF is ANSI", "\xFF", TextEncoding::Ansi, u"\uFFFD"},
      {"UTF-16 LE odd byte dropped", bytesOf({0xFF, 0xFE, 'a', 0, 'b'}), TextEncoding::Utf16LE,
       u"a"},
      {"UTF-16 BE odd byte dropped", bytesOf({0xFE, 0xFF, 0, 'a', 0}), TextEncoding::Utf16BE, u"a"},
      {"UTF-16 LE BOM and one byte", bytesOf({0xFF, 0xFE, 'a'}), TextEncoding::Utf16LE, u""},
      {"UTF-16 LE pair", bytesOf({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), TextEncoding::Utf16LE,
       u"\U0001F600"},
      {"UTF-16 LE lone high", bytesOf({0xFF, 0xFE, 0x3D, 0xD8, 'x', 0}), TextEncoding::Utf16LE,
       u"\uFFFDx"},
      {"UTF-16 LE lone high at end", bytesOf({0xFF, 0xFE, 0x3D, 0xD8}), TextEncoding::Utf16LE,
       u"\uFFFD"},
      {"UTF-16 BE lone low", bytesOf({0xFE, 0xFF, 0xDE, 0x00, 0, 'y'}), TextEncoding::Utf16BE,
       u"\uFFFDy"},
      {"UTF-8 invalid bytes",
       "\xEF\xBB\xBF"
       "a\xFF\xC3",
       TextEncoding::Utf8, u"a\uFFFD\uFFFD"},
      {"UTF-8 BOM twice keeps the second", "\xEF\xBB\xBF\xEF\xBB\xBF", TextEncoding::Utf8,
       u"\uFEFF"},
  };
  for (const auto& c : cases) {
    const DecodedText d = decodeText(c.bytes, kCodePage);
    EXPECT_EQ(d.encoding, c.encoding) << c.name;
    EXPECT_EQ(d.text, c.text) << c.name;
  }
}

TEST(TextCodec, DecodeAsSkipsOnlyThatEncodingsBom) {
  EXPECT_EQ(decodeTextAs("\xEF\xBB\xBF"
                         "a",
                         TextEncoding::Utf8, kCodePage),
            u"a");
  EXPECT_EQ(decodeTextAs("a", TextEncoding::Utf8, kCodePage), u"a");
  EXPECT_EQ(decodeTextAs(bytesOf({0xFF, 0xFE, 'a', 0}), TextEncoding::Utf16LE, kCodePage), u"a");
  EXPECT_EQ(decodeTextAs(bytesOf({'a', 0}), TextEncoding::Utf16LE, kCodePage), u"a");
  // A UTF-16 BE mark read as LE is a character like any other.
  EXPECT_EQ(decodeTextAs(bytesOf({0xFE, 0xFF}), TextEncoding::Utf16LE, kCodePage), u"\uFFFE");
  EXPECT_EQ(decodeTextAs("\xEF\xBB\xBF", TextEncoding::Ansi, kCodePage), u"\uFFFD\uFFFD\uFFFD");
}

TEST(TextCodec, EncodeWritesBomThenText) {
  struct Case {
    TextEncoding encoding;
    bool withBom;
    std::string bytes;
  };
  const std::u16string text = u"A\u00E9\U0001F600";
  const Case cases[] = {
      {TextEncoding::Ansi, true, "A\xE9??"},  // ANSI has no BOM; the pair is two unmappables
      {TextEncoding::Ansi, false, "A\xE9??"},
      {TextEncoding::Utf8, true,
       "\xEF\xBB\xBF"
       "A\xC3\xA9\xF0\x9F\x98\x80"},
      {TextEncoding::Utf8, false, "A\xC3\xA9\xF0\x9F\x98\x80"},
      {TextEncoding::Utf16LE, true, bytesOf({0xFF, 0xFE, 'A', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE})},
      {TextEncoding::Utf16BE, true, bytesOf({0xFE, 0xFF, 0, 'A', 0, 0xE9, 0xD8, 0x3D, 0xDE, 0x00})},
      {TextEncoding::Utf16BE, false, bytesOf({0, 'A', 0, 0xE9, 0xD8, 0x3D, 0xDE, 0x00})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(encodeText(text, c.encoding, c.withBom, kCodePage), c.bytes)
        << static_cast<int>(c.encoding) << " bom " << c.withBom;
  }
}

TEST(TextCodec, UnicodeEncodingsRoundTrip) {
  const std::u16string text =
      u"NOTEPAD.EXE,Notepad,\u7121\u984C - \u30E1\u30E2\u5E33\r\n\U0010FFFF";
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    const DecodedText d = decodeText(encodeText(text, e, true, kCodePage), kCodePage);
    EXPECT_EQ(d.encoding, e);
    EXPECT_EQ(d.text, text);
  }
}

TEST(TextCodec, SplitLines) {
  struct Case {
    std::u16string text;
    StringList lines;
  };
  const Case cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\n", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\nb\rc\r\nd", {u"a", u"b", u"c", u"d"}},
      {u"\r\n", {u""}},
      {u"\n\r", {u"", u""}},  // LF then CR: two line ends
      {u"a\r\r\nb", {u"a", u"", u"b"}},
      {u"  x ,\r\n", {u"  x ,"}},  // lines are not trimmed
  };
  for (const auto& c : cases) {
    EXPECT_EQ(splitLines(c.text), c.lines) << utf16ToUtf8(c.text);
  }
}

TEST(TextCodec, JoinLinesEndsEveryLineWithCrLf) {
  EXPECT_EQ(joinLines({}), u"");
  EXPECT_EQ(joinLines({u""}), u"\r\n");
  EXPECT_EQ(joinLines({u"a", u"", u"b"}), u"a\r\n\r\nb\r\n");
  const StringList lines = {u"x,", u"", u"y,z"};
  EXPECT_EQ(splitLines(joinLines(lines)), lines);
}

}  // namespace
}  // namespace rimfold
