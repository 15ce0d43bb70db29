#include <gtest/gtest.h>

#include "fake/fake_desktop.h"
#include "settings/data_files.h"
#include "system/data_dir.h"
#include "system/uac_check.h"
#include "system/version.h"
#include "system/wow64.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FileLock;
using test::Op;

TEST(Version, PredicatesAreAppliedLiterally) {
  struct Case {
    std::uint32_t major, minor;
    bool vista, seven, eight, ten, atLeast60, atLeast52;
  } cases[] = {
      {5, 1, false, false, false, false, false, false},
      {5, 2, false, false, false, false, false, true},
      {6, 0, true, false, false, false, true, true},
      {6, 1, true, true, false, false, true, true},
      {6, 2, true, true, true, false, true, true},
      {6, 3, true, true, true, false, true, true},
      {10, 0, true, true, true, true, true, true},
  };
  for (const auto& c : cases) {
    FakeDesktop d;
    d.setVersion(c.major, c.minor);
    const OsVersion v{c.major, c.minor, 0, 2};
    EXPECT_EQ(IsVistaOrLater(d), c.vista) << c.major << "." << c.minor;
    EXPECT_EQ(IsWindows7OrLater(d), c.seven) << c.major << "." << c.minor;
    EXPECT_EQ(IsWindows8OrLater(d), c.eight) << c.major << "." << c.minor;
    EXPECT_EQ(IsWindows10(d), c.ten) << c.major << "." << c.minor;
    EXPECT_EQ(isAtLeast(v, 6, 0), c.atLeast60) << c.major << "." << c.minor;
    EXPECT_EQ(isAtLeast(v, 5, 2), c.atLeast52) << c.major << "." << c.minor;
  }
  // Each predicate asks the system anew.
  FakeDesktop d;
  IsWindows10(d);
  IsWindows10(d);
  EXPECT_EQ(d.calls(Op::GetVersion), 2u);
}

TEST(CheckUAC, Cases) {
  const std::u16string key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  struct Case {
    const char* name;
    std::uint32_t major;
    std::optional<std::uint32_t> value;
    bool expected;
  } cases[] = {{"XP ignores the value", 5, 1, false},
               {"on", 6, 1, true},
               {"any non-zero value", 10, 2, true},
               {"off", 6, 0, false},
               {"missing value", 10, std::nullopt, false}};
  for (const auto& c : cases) {
    FakeDesktop d;
    Platform p = d.platform();
    d.setVersion(c.major, 0);
    if (c.value) d.setHklmDword(key, u"EnableLUA", *c.value);
    EXPECT_EQ(CheckUAC(p), c.expected) << c.name;
  }
}

TEST(Wow64, InitAndSysnativePath) {
  const std::u16string display = u"C:\\windows\\system32\\DisplaySwitch.exe";
  struct Case {
    const char* name;
    std::optional<bool> wow64;
    std::uint32_t major, minor;
    bool sysnativeExists;
    std::u16string path, expected;
    bool isWow64;
  } cases[] = {
      {"32-bit on 64-bit", true, 10, 0, true, display, u"C:\\windows\\Sysnative\\DisplaySwitch.exe",
       true},
      {"32-bit on 64-bit, no such file", true, 10, 0, false, display, display, true},
      {"64-bit process", false, 10, 0, true, display, display, false},
      {"mixed case, every occurrence", true, 10, 0, true,
       u"C:\\X\\SYSTEM32\\a\\System32\\DisplaySwitch.exe",
       u"C:\\X\\Sysnative\\a\\Sysnative\\DisplaySwitch.exe", true},
      {"no system32 component", true, 10, 0, true, u"C:\\system32x\\a.exe", u"C:\\system32x\\a.exe",
       true},
      {"no IsWow64Process on 5.2", std::nullopt, 5, 2, true, display,
       u"C:\\windows\\Sysnative\\DisplaySwitch.exe", true},
      {"no IsWow64Process on 5.1", std::nullopt, 5, 1, true, display, display, false},
  };
  for (const auto& c : cases) {
    FakeDesktop d;
    Platform p = d.platform();
    d.setWow64Process(c.wow64);
    d.setVersion(c.major, c.minor);
    if (c.sysnativeExists) {
      d.addFile(u"C:\\windows\\Sysnative\\DisplaySwitch.exe", "MZ");
      d.addFile(u"C:\\X\\Sysnative\\a\\Sysnative\\DisplaySwitch.exe", "MZ");
    }
    const bool wow64 = InitWow64(p);
    EXPECT_EQ(wow64, c.isWow64) << c.name;
    EXPECT_EQ(SysnativePath(p, wow64, c.path), c.expected) << c.name;
    // The rewritten file is looked for with redirection in force.
    EXPECT_EQ(d.calls(Op::DisableFsRedirection), 0u) << c.name;
  }
}

TEST(Wow64, FileExistsNativeSwitchesRedirectionAroundTheTest) {
  for (bool wow : {true, false}) {
    FakeDesktop d;
    Platform p = d.platform();
    d.setWow64Process(wow);
    d.addFile(u"C:\\windows\\system32\\x.exe", "");
    EXPECT_TRUE(FileExistsNative(p, InitWow64(p), u"C:\\windows\\system32\\x.exe"));
    EXPECT_EQ(d.calls(Op::DisableFsRedirection), wow ? 1u : 0u);
    EXPECT_EQ(d.calls(Op::RevertFsRedirection), wow ? 1u : 0u);
    EXPECT_FALSE(d.fsRedirectionDisabled());
  }
}

TEST(DriveReady, Cases) {
  FakeDesktop d;
  Platform p = d.platform();
  d.setDrive(u'E', {u"\\Device\\CdRom0", false});
  struct Case {
    char16_t c;
    bool ready;
  } cases[] = {{u'C', true},  {u'c', true},  {u'E', false}, {u'e', false},     {u'Q', false},
               {u'\\', true}, {u'/', false}, {u'1', false}, {u'\u00e9', false}};
  for (const auto& c : cases) EXPECT_EQ(DriveReady(p, c.c), c.ready) << char(c.c);

  d.addFile(u"\\\\server\\share\\f.txt", "x");
  d.addFile(u"C:\\a.txt", "x");
  struct PathCase {
    std::u16string path;
    bool exists;
  } paths[] = {{u"", false},
               {u"C:\\a.txt", true},
               {u"c:\\A.TXT", true},
               {u"C:\\b.txt", false},
               {u"E:\\setup.exe", false},
               {u"\\\\server\\share\\f.txt", true},
               {u"\\\\server\\share\\g.txt", false}};
  for (const auto& c : paths) {
    EXPECT_EQ(FileExistsOnReadyDrive(p, c.path), c.exists) << c.path.size();
  }
  // The empty drive was never touched, so no "insert a disk" dialog would have shown.
  EXPECT_EQ(d.diskPrompts(), 0);
}

TEST(DataDir, CreatesBothLevelsOrFails) {
  struct Case {
    const char* name;
    std::u16string failing;
    bool expected;
  } cases[] = {
      {"fresh", u"", true},
      {"company folder fails", u"C:\\users\\test\\AppData\\Roaming\\Quenbrook", false},
      {"program folder fails", u"C:\\users\\test\\AppData\\Roaming\\Quenbrook\\Rimfold", false}};
  for (const auto& c : cases) {
    FakeDesktop d;
    Platform p = d.platform();
    if (!c.failing.empty()) d.setFailCreateDirectory(c.failing);
    EXPECT_EQ(Func_CreateDataDir(p, u"Rimfold"), c.expected) << c.name;
    EXPECT_EQ(p.data.dir, u"C:\\users\\test\\AppData\\Roaming\\Quenbrook\\Rimfold\\") << c.name;
  }
  {
    // No AppData folder: nothing is made at the root of the current drive.
    FakeDesktop d;
    Platform p = d.platform();
    d.setFolderPath(kCsidlAppData, u"");
    EXPECT_FALSE(Func_CreateDataDir(p, u"Rimfold"));
    EXPECT_EQ(d.calls(Op::CreateDirectory), 0u);
  }
  // Existing folders are kept and not created again.
  FakeDesktop d;
  Platform p = d.platform();
  d.addDirectory(u"C:\\users\\test\\AppData\\Roaming\\Quenbrook\\Rimfold");
  EXPECT_TRUE(Func_CreateDataDir(p, u"Rimfold"));
  EXPECT_EQ(d.calls(Op::CreateDirectory), 0u);
  // A folder path cut at NUL by the shell.
  d.setFolderPath(kCsidlAppData, std::u16string(u"C:\\users\\test\\AppData\\Roaming\0junk", 33));
  EXPECT_EQ(GetSpecialFolderPath(p, kCsidlAppData), u"C:\\users\\test\\AppData\\Roaming");
}

struct Files : ::testing::Test {
  FakeDesktop d;
  Platform p = d.platform();
  const std::u16string path = u"C:\\data\\list.txt";
  void SetUp() override { d.addDirectory(u"C:\\data"); }
  void expectCurrentDirectoryReset() {
    EXPECT_EQ(d.getCurrentDirectory(), u"C:\\Program Files\\Rimfold");
  }
};

// The code units of text as bytes, written out independently of the codec under test.
std::string utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string out;
  for (char16_t c : text) {
    const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

constexpr std::u16string_view kText = u"one\r\ncaf\u00e9 \u20AC\r\n\r\nlast\r\n";

TEST_F(Files, RoundTripsByteByByteInEachEncoding) {
  const StringList lines = {u"one", u"caf\u00e9 \u20AC", u"", u"last"};
  struct Case {
    TextEncoding encoding;
    std::string bytes;
  } cases[] = {
      {TextEncoding::Ansi, "one\r\ncaf\xE9 \x80\r\n\r\nlast\r\n"},
      {TextEncoding::Utf8, "\xEF\xBB\xBFone\r\ncaf\xC3\xA9 \xE2\x82\xAC\r\n\r\nlast\r\n"},
      {TextEncoding::Utf16LE, "\xFF\xFE" + utf16Bytes(kText, false)},
      {TextEncoding::Utf16BE, "\xFE\xFF" + utf16Bytes(kText, true)},
  };
  for (const auto& c : cases) {
    d.setCurrentDirectoryValue(u"C:\\users\\test");
    ASSERT_TRUE(SaveStringsToFile(p, lines, path, c.encoding));
    EXPECT_EQ(d.fileBytes(path), c.bytes);
    expectCurrentDirectoryReset();
    d.setCurrentDirectoryValue(u"C:\\users\\test");
    StringList back{u"stale"};
    EXPECT_EQ(LoadStringsFromFile(p, back, path, std::nullopt), 4);
    EXPECT_EQ(back, lines);
    expectCurrentDirectoryReset();
    EXPECT_EQ(LoadStringsFromFile(p, back, path, c.encoding), 4);
    EXPECT_EQ(back, lines);
  }
}

TEST_F(Files, ExclusiveLockRefusesAndLeavesTheFile) {
  d.addFile(path, "old\r\n");
  d.lockFile(path, FileLock::OpenShared);
  d.setCurrentDirectoryValue(u"C:\\users\\test");
  EXPECT_FALSE(SaveStringsToFile(p, {u"new"}, path, TextEncoding::Ansi));
  EXPECT_EQ(d.fileBytes(path), "old\r\n");
  EXPECT_EQ(d.calls(Op::WriteFileReplacing), 0u);
  expectCurrentDirectoryReset();
}

TEST_F(Files, FailedWriteKeepsThePreviousContent) {
  d.addFile(path, "old\r\n");
  d.setWritesFail(true);
  EXPECT_FALSE(SaveStringsToFile(p, {u"new"}, path, TextEncoding::Utf8));
  EXPECT_EQ(d.fileBytes(path), "old\r\n");
  expectCurrentDirectoryReset();
}

TEST_F(Files, MissingFileOrEmptyDriveLoadsNothing) {
  d.setDrive(u'E', {u"\\Device\\CdRom0", false});
  for (const std::u16string missing : {u"C:\\data\\none.txt", u"E:\\list.txt"}) {
    StringList lines{u"stale"};
    d.setCurrentDirectoryValue(u"C:\\users\\test");
    EXPECT_EQ(LoadStringsFromFile(p, lines, missing, TextEncoding::Ansi), 0);
    EXPECT_TRUE(lines.empty());
    expectCurrentDirectoryReset();
  }
  EXPECT_EQ(d.diskPrompts(), 0);
  // A new file is written when none exists yet.
  EXPECT_TRUE(SaveStringsToFile(p, {u"a"}, u"C:\\data\\new.txt", TextEncoding::Ansi));
  EXPECT_EQ(d.fileBytes(u"C:\\data\\new.txt"), "a\r\n");
}

// What a killed save leaves, and what is not the program's to remove.
TEST(DataDir, StaleSaveFilesAreRemovedAtStartAndNothingElse) {
  FakeDesktop d;
  Platform p = d.platform();
  d.setDrive(u'C', {u"\\Device\\HarddiskVolume1", true});
  p.data.dir = u"C:\\data\\";
  d.addDirectory(p.data.dir);
  struct Case {
    const char16_t* name;
    bool removed;
  };
  const Case cases[] = {
      {u"Rimfold.ini.tmp", true}, {u"Disable.log.tmp", true}, {u"rf1A2B.tmp", true},
      {u"rf0.tmp", true},         {u"rfa3.tmp", true},        {u"Rimfold.ini", false},
      {u"rf1A2B3.tmp", false},    {u"rfz1.tmp", false},       {u"rf.tmp", false},
      {u"notes.tmp", false},      {u"Other.ini.tmp", false},
  };
  for (const Case& c : cases) d.addFile(p.data.dir + c.name, "x");
  removeStaleSaveFiles(p, {p.data.dir + u"Rimfold.ini", p.data.dir + u"Disable.log"});
  for (const Case& c : cases) {
    EXPECT_EQ(d.fileBytes(p.data.dir + c.name).has_value(), !c.removed)
        << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
  }
}

TEST(ExecuteProgram, PassesTextsCutTo260) {
  FakeDesktop d;
  Platform p = d.platform();
  const std::u16string longText(300, u'x');
  ExecuteProgram(p, 42, longText, u"/Q", u"", 1);
  ASSERT_EQ(d.shellExecuteLog().size(), 1u);
  const auto& call = d.shellExecuteLog()[0];
  EXPECT_EQ(call.owner, 42u);
  EXPECT_EQ(call.file, std::u16string(260, u'x'));
  EXPECT_EQ(call.parameters, u"/Q");
  EXPECT_EQ(call.directory, u"");
  EXPECT_EQ(call.showCommand, 1);
  EXPECT_FALSE(call.ex);
}

}  // namespace
}  // namespace rimfold
