#include "rtl/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "fake/fake_desktop.h"
#include "rtl/text_utils.h"

namespace rimfold {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  test::FakeDesktop desktop_;
  const ICodePage& codePage_ = desktop_;
};

constexpr std::string_view kFirstRunBytes =
    "[Tray]\r\nConstraints=0\r\nStop=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\n\r\n"
    "[Key]\r\nStop=\r\n\r\n";

void writeFirstRunDefaults(IniFile& ini) {
  ini.writeInteger(u"Tray", u"Constraints", 0);
  ini.writeString(u"Key", u"Stop", u"");
  ini.writeBool(u"Tray", u"Stop", false);
  ini.writeBool(u"Tray", u"DispDialog", true);
  ini.writeBool(u"Tray", u"MoveWindowSpeed", false);
}

TEST_F(IniFileTest, FirstRunDefaultsGiveExactBytes) {
  IniFile ini;
  writeFirstRunDefaults(ini);
  const std::string bytes = ini.serialize(codePage_);
  ASSERT_EQ(bytes.size(), kFirstRunBytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_EQ(bytes[i], kFirstRunBytes[i]) << "byte " << i;
  }
  // Written again over its own output, nothing moves.
  IniFile again = IniFile::parse(bytes, codePage_);
  writeFirstRunDefaults(again);
  EXPECT_EQ(again.serialize(codePage_), kFirstRunBytes);
}

TEST_F(IniFileTest, RoundTripsInTheEncodingItWasReadIn) {
  struct Case {
    const char* name;
    TextEncoding encoding;
    bool bom;
  };
  const Case cases[] = {
      {"ANSI", TextEncoding::Ansi, false},
      {"UTF-8 with BOM", TextEncoding::Utf8, true},
      {"UTF-16 LE with BOM", TextEncoding::Utf16LE, true},
      {"UTF-16 BE with BOM", TextEncoding::Utf16BE, true},
  };
  // Non-ASCII text that the code page can hold too.
  const std::u16string text =
      u"[Tray]\r\nStop=1\r\nCaf\u00E9=na\u00EFve\r\n\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n\r\n";
  for (const auto& c : cases) {
    const std::string original = encodeText(text, c.encoding, c.bom, codePage_);
    IniFile ini = IniFile::parse(original, codePage_);
    EXPECT_EQ(ini.encoding(), c.encoding) << c.name;
    EXPECT_EQ(ini.hasBom(), c.bom) << c.name;
    EXPECT_TRUE(ini.readBool(u"Tray", u"Stop", false)) << c.name;
    EXPECT_EQ(ini.readString(u"tray", u"CAF\u00C9", u""), u"na\u00EFve") << c.name;
    EXPECT_EQ(ini.serialize(codePage_), original) << c.name;

    ini.writeInteger(u"Tray", u"Constraints", 2);
    const std::string written = ini.serialize(codePage_);
    const DecodedText decoded = decodeText(written, codePage_);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.name;
    EXPECT_EQ(decoded.text,
              u"[Tray]\r\nStop=1\r\nCaf\u00E9=na\u00EFve\r\nConstraints=2\r\n\r\n"
              u"[Key]\r\nStop=Ctrl+Alt+S\r\n\r\n")
        << c.name;
  }
}

TEST_F(IniFileTest, NewFileIsAnsiWithoutBom) {
  IniFile ini;
  EXPECT_EQ(ini.encoding(), TextEncoding::Ansi);
  EXPECT_FALSE(ini.hasBom());
  ini.writeString(u"S", u"K", u"\u00E9");
  EXPECT_EQ(ini.serialize(codePage_), "[S]\r\nK=\xE9\r\n\r\n");
  EXPECT_EQ(IniFile().serialize(codePage_), "");
}

TEST_F(IniFileTest, ReadingRules) {
  const std::string file =
      "Orphan=before any section\r\n"
      "[Tray]\r\n"
      "  Stop  =  1  \r\n"
      "garbage line without equals\r\n"
      "Key=a=b\r\n"
      "Empty=\r\n"
      "Dup=first\r\n"
      "dup=second\r\n"
      "Yes=yes\n"
      "Hex=0x1F\r"
      "Dollar=$10\n"
      "Neg=-3\n"
      "Big=99999999999\n"
      "Blank= \n"
      "[ Other ]\n"
      "X=1\n"
      "[TRAY]\n"
      "Merged=7\n"
      "Stop=0\n";
  const IniFile ini = IniFile::parse(file, codePage_);

  struct StringCase {
    std::u16string section, key, expected;
  };
  const StringCase strings[] = {
      {u"Tray", u"Stop", u"1"},
      {u"tray", u"STOP", u"1"},            // names ignore case
      {u"Tray", u"Key", u"a=b"},           // the value follows the first "="
      {u"Tray", u"Empty", u""},            // present but empty, not the default
      {u"Tray", u"Dup", u"first"},         // the first of a repeated key wins
      {u"Tray", u"Merged", u"7"},          // a repeated section merges into the first
      {u"Other", u"X", u"1"},              // header names are trimmed
      {u"Tray", u"Orphan", u"<default>"},  // lines before the first section are ignored
      {u"Tray", u"garbage line without equals", u"<default>"},
      {u"Missing", u"Stop", u"<default>"},
  };
  for (const auto& c : strings) {
    EXPECT_EQ(ini.readString(c.section, c.key, u"<default>"), c.expected)
        << utf16ToUtf8(c.section) << "/" << utf16ToUtf8(c.key);
  }

  struct IntegerCase {
    std::u16string key;
    std::int32_t expected;
  };
  const IntegerCase integers[] = {
      {u"Stop", 1},   {u"Hex", 31},     {u"Dollar", 16},
      {u"Neg", -3},   {u"Yes", 42},  // letters: the default
      {u"Big", 42},                  // beyond 32 bits: the default
      {u"Empty", 42},                // empty: the default
      {u"Blank", 42}, {u"Missing", 42},
  };
  for (const auto& c : integers) {
    EXPECT_EQ(ini.readInteger(u"Tray", c.key, 42), c.expected) << utf16ToUtf8(c.key);
  }

  EXPECT_TRUE(ini.readBool(u"Tray", u"Stop", false));
  EXPECT_TRUE(ini.readBool(u"Tray", u"Neg", false));   // any non-zero is true
  EXPECT_FALSE(ini.readBool(u"Tray", u"Yes", false));  // "yes" is not an integer
  EXPECT_TRUE(ini.readBool(u"Tray", u"Yes", true));
  EXPECT_TRUE(ini.sectionExists(u"OTHER"));
  EXPECT_FALSE(ini.sectionExists(u"Orphan"));
  ASSERT_EQ(ini.sections().size(), 2u);
  EXPECT_EQ(ini.sections()[0].name, u"Tray");
}

TEST_F(IniFileTest, WritingKeepsPlaceAndAppendsNew) {
  IniFile ini = IniFile::parse("[A]\r\nx=1\r\nUnknown=kept\r\n\r\n[B]\r\ny=2\r\n\r\n", codePage_);
  ini.writeInteger(u"a", u"X", -5);     // existing key, other letter case
  ini.writeString(u"C", u"z", u"new");  // new section at the end
  ini.writeBool(u"B", u"flag", true);   // new key at the end of its section
  EXPECT_EQ(ini.serialize(codePage_),
            "[A]\r\nx=-5\r\nUnknown=kept\r\n\r\n[B]\r\ny=2\r\nflag=1\r\n\r\n[C]\r\nz=new\r\n\r\n");
}

TEST_F(IniFileTest, DamagedInputNeverCrashes) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string stopValue;  // what Tray/Stop reads, "-" when absent
  };
  const std::u16string lines = u"[T]\nStop=";
  const std::u16string loneSurrogate(1, char16_t(0xD800));
  const Case cases[] = {
      {"UTF-16 LE odd byte", encodeText(lines + u"1", TextEncoding::Utf16LE, true, codePage_) + "X",
       u"1"},
      {"UTF-16 BE odd byte", encodeText(lines + u"1", TextEncoding::Utf16BE, true, codePage_) + "X",
       u"1"},
      {"UTF-16 LE lone surrogate",
       encodeText(lines + loneSurrogate + u"x", TextEncoding::Utf16LE, true, codePage_),
       u"\uFFFDx"},
      {"UTF-16 BE lone surrogate",
       encodeText(lines + loneSurrogate, TextEncoding::Utf16BE, true, codePage_), u"\uFFFD"},
      {"invalid UTF-8", "\xEF\xBB\xBF[T]\nStop=\xC3\x28\xFF", u"\uFFFD(\uFFFD"},
      {"UTF-8 BOM alone", "\xEF\xBB\xBF", u"-"},
      {"UTF-16 LE BOM alone", "\xFF\xFE", u"-"},
      {"UTF-16 BE BOM alone", "\xFE\xFF", u"-"},
      {"only garbage", "\x01\x02\x03\n\n\r[", u"-"},
      {"unclosed header", "[T\nStop=1\n", u"-"},
      {"header then NUL: NUL trims like a blank", std::string("[T]\0\nStop=1\n", 12), u"1"},
  };
  for (const auto& c : cases) {
    const IniFile ini = IniFile::parse(c.bytes, codePage_);
    EXPECT_EQ(ini.readString(u"T", u"Stop", u"-"), c.stopValue) << c.name;
  }
  // A BOM alone is an empty file that is written back in its encoding.
  IniFile bomOnly = IniFile::parse("\xFE\xFF", codePage_);
  EXPECT_EQ(bomOnly.encoding(), TextEncoding::Utf16BE);
  EXPECT_EQ(bomOnly.serialize(codePage_), "\xFE\xFF");
}

TEST_F(IniFileTest, AHugeFileWithThousandsOfSectionsKeepsEveryOne) {
  // How long the parse takes is the benchmark's business (bench/ini_bench.cpp); this checks
  // that a file of many thousands of sections and keys is read whole and correctly.
  const std::string padding(200, 'v');
  std::string bytes;
  int section = 0;
  while (bytes.size() < (5u << 20)) {
    bytes += "[S" + std::to_string(section) + "]\r\n";
    for (int k = 0; k < 20; ++k) bytes += "Key" + std::to_string(k) + "=" + padding + "\r\n";
    bytes += padding + " no equals sign\r\n";
    ++section;
  }
  bytes += "[Last]\r\nValue=0x7FFFFFFF\r\n";
  const IniFile ini = IniFile::parse(bytes, codePage_);
  EXPECT_EQ(static_cast<int>(ini.sections().size()), section + 1);
  EXPECT_EQ(ini.sections()[0].entries.size(), 20u);
  EXPECT_EQ(ini.readInteger(u"last", u"VALUE", 0), 0x7FFFFFFF);
  const std::u16string lastSection = u"s" + toDecimal(section - 1);
  EXPECT_EQ(ini.readString(lastSection, u"KEY19", u"").size(), padding.size());
}

}  // namespace
}  // namespace rimfold
