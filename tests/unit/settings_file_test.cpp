#include "settings/settings_file.h"
#include "settings/data_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "data_folder_fixture.h"
#include "workarea/work_area.h"

namespace rimfold {
namespace {

const std::u16string kFile = std::u16string(test::kTestDataDir) + u"Rimfold.ini";
const char kFirstRun[] =
    "[Tray]\r\nConstraints=0\r\nStop=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\nReturnWindows="
    "1\r\n\r\n"
    "[Key]\r\nStop=\r\n\r\n";

std::string utf16le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char ch : ascii) {
    out += ch;
    out += '\0';
  }
  return out;
}

class SettingsFileTest : public test::DataFolderTest {
 protected:
  IniFile parse(const std::string& text) { return IniFile::parse(text, desk); }
};

TEST_F(SettingsFileTest, PathIsInTheDataFolder) { EXPECT_EQ(settingsPath(p), kFile); }

TEST_F(SettingsFileTest, ReadsValuesAndDefaults) {
  struct Case {
    const char* name;
    std::string text;
    TraySettings expected;
  };
  const Case cases[] = {
      {"empty", "", {false, true, false, 0, u""}},
      {"all set",
       "[Tray]\r\nStop=1\r\nDispDialog=0\r\nMoveWindowSpeed=1\r\nConstraints=3\r\n"
       "ReturnWindows=0\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n",
       {true, false, true, 3, u"Ctrl+Alt+S", false}},
      {"names ignore case, any non-zero is true",
       "[tray]\r\nSTOP=-7\r\nmovewindowspeed=0x10\r\nconstraints=0x2\r\n[KEY]\r\nstop=F12\r\n",
       {true, true, true, 2, u"F12"}},
      {"letters read as the default",
       "[Tray]\r\nStop=yes\r\nDispDialog=no\r\n",
       {false, true, false, 0, u""}},
      {"level above range", "[Tray]\r\nConstraints=4\r\n", {false, true, false, 0, u""}},
      {"level below range", "[Tray]\r\nConstraints=-1\r\n", {false, true, false, 0, u""}},
      {"level beyond 32 bits",
       "[Tray]\r\nConstraints=4294967297\r\n",
       {false, true, false, 0, u""}},
      {"level lowest", "[Tray]\r\nConstraints=1\r\n", {false, true, false, 1, u""}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(readTraySettings(parse(k.text)), k.expected);
  }
}

TEST_F(SettingsFileTest, FirstRunWritesTheDefaultFile) {
  const IniFile ini = loadIniFile(p, settingsPath(p));
  const TraySettings s = readTraySettings(ini);
  EXPECT_EQ(s, TraySettings{});
  IniFile out = ini;
  writeTraySettings(out, s);
  saveIniFile(p, out, settingsPath(p));
  EXPECT_EQ(desk.fileBytes(kFile), std::string(kFirstRun));
}

TEST_F(SettingsFileTest, WritingKeepsOtherKeysAndSectionsInPlace) {
  IniFile ini = parse(
      "[Key]\r\nStop=Alt+S\r\nOther=1\r\n\r\n"
      "[Mine]\r\nA=b\r\n\r\n"
      "[Tray]\r\nstop=1\r\nExtra=x\r\n\r\n");
  writeTraySettings(ini, {false, true, true, 2, u"Shift+F1"});
  EXPECT_EQ(ini.serialize(desk),
            "[Key]\r\nStop=Shift+F1\r\nOther=1\r\n\r\n"
            "[Mine]\r\nA=b\r\n\r\n"
            "[Tray]\r\nstop=0\r\nExtra=x\r\nConstraints=2\r\nDispDialog=1\r\n"
            "MoveWindowSpeed=1\r\nReturnWindows=1\r\n\r\n");
}

// The language is written only once it is known; a file without it, or with a value the
// program does not know, keeps exactly what it had.
TEST_F(SettingsFileTest, TheLanguageIsReadAsJaOrEnAndOtherwiseLeftAsItIs) {
  struct Case {
    const char* name;
    std::string tray;
    std::optional<Language> read;
    std::optional<Language> chosen;  // what the user picks before the close, if anything
    std::string written;             // the [Tray] section's Language line after the close
  };
  const Case cases[] = {
      {"absent", "", std::nullopt, std::nullopt, ""},
      {"Japanese", "Language=ja\r\n", Language::Japanese, std::nullopt, "Language=ja\r\n"},
      {"English", "Language=en\r\n", Language::English, std::nullopt, "Language=en\r\n"},
      {"another language", "Language=fr\r\n", std::nullopt, std::nullopt, "Language=fr\r\n"},
      {"case counts", "Language=EN\r\n", std::nullopt, std::nullopt, "Language=EN\r\n"},
      {"empty", "Language=\r\n", std::nullopt, std::nullopt, "Language=\r\n"},
      {"absent, English chosen", "", std::nullopt, Language::English, "Language=en\r\n"},
      {"unknown, Japanese chosen", "Language=xx\r\n", std::nullopt, Language::Japanese,
       "Language=ja\r\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    IniFile ini = parse("[Tray]\r\n" + k.tray + "Stop=1\r\n");
    TraySettings s = readTraySettings(ini);
    EXPECT_EQ(s.language, k.read);
    if (k.chosen) s.language = k.chosen;
    writeTraySettings(ini, s);
    const std::string out = ini.serialize(desk);
    const std::size_t at = out.find("Language=");
    EXPECT_EQ(at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) + 1 - at),
              k.written)
        << out;
  }
}

TEST_F(SettingsFileTest, Utf16FileRoundTripsAsUtf16) {
  const std::string text = "[Tray]\r\nStop=1\r\n\r\n[Key]\r\nStop=Ctrl+Q\r\n\r\n";
  desk.addFile(kFile, utf16le(text));
  IniFile ini = loadIniFile(p, settingsPath(p));
  const TraySettings s = readTraySettings(ini);
  EXPECT_EQ(s, (TraySettings{true, true, false, 0, u"Ctrl+Q"}));
  writeTraySettings(ini, s);
  saveIniFile(p, ini, settingsPath(p));
  EXPECT_EQ(desk.fileBytes(kFile),
            utf16le("[Tray]\r\nStop=1\r\nConstraints=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\n"
                    "ReturnWindows=1\r\n"
                    "\r\n[Key]\r\nStop=Ctrl+Q\r\n\r\n"));
}

TEST_F(SettingsFileTest, ChangedStateSurvivesARestart) {
  IniFile ini = loadIniFile(p, settingsPath(p));
  const TraySettings changed{true, false, true, 3, u"Ctrl+F12", false};
  writeTraySettings(ini, changed);
  saveIniFile(p, ini, settingsPath(p));
  EXPECT_EQ(readTraySettings(loadIniFile(p, settingsPath(p))), changed);
}

TEST_F(SettingsFileTest, FailedWriteRaisesAndKeepsTheOldFile) {
  desk.addFile(kFile, kFirstRun);
  desk.setWritesFail(true);
  IniFile ini = loadIniFile(p, settingsPath(p));
  writeTraySettings(ini, {true, true, false, 1, u""});
  EXPECT_THROW(saveIniFile(p, ini, settingsPath(p)), IoError);
  EXPECT_EQ(desk.fileBytes(kFile), std::string(kFirstRun));
}

// A settings file beyond any the program writes is taken to be damaged: the defaults
// apply, it is logged once, and what is on disk stays.
TEST_F(SettingsFileTest, AnOversizedFileIsNeitherReadNorRewritten) {
  const std::string head = "[Tray]\r\nStop=1\r\n;";
  const auto file = [&](std::uint64_t size) { return head + std::string(size - head.size(), 'x'); };
  struct Case {
    const char* name;
    std::uint64_t size;
    bool read;
  };
  const Case cases[] = {
      {"at the limit", kSettingsFileLimit, true},
      {"one byte over", kSettingsFileLimit + 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    desk.addFile(kFile, file(c.size));
    EXPECT_EQ(readTraySettings(loadIniFile(p, settingsPath(p))).Stop, c.read);
    EXPECT_EQ(loadIniFileForRewrite(p, settingsPath(p)).has_value(), c.read);
    EXPECT_EQ(desk.fileBytes(kFile), file(c.size));
  }
  const std::string log = dataFile(u"Rimfold_Error.log");
  EXPECT_NE(log.find("Rimfold.ini is larger than 1048576 bytes"), std::string::npos) << log;
  EXPECT_EQ(log.find('\n'), log.size() - 1) << "logged more than once: " << log;
}

// A file another program holds is read once it lets go within the retries; held longer,
// the defaults apply, it is logged once, and it is not rewritten for the rest of the run,
// readable or not.
TEST_F(SettingsFileTest, AFileHeldAtStartIsRetriedThenLeftAlone) {
  const std::string kept = "[Tray]\r\nStop=1\r\n";
  const struct {
    const char* name;
    std::int64_t heldMs;
    bool read;
  } cases[] = {
      {"let go within the retries", kReadRetryBudgetMs, true},
      {"held past them", kReadRetryBudgetMs + 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    p.data.unreadable.clear();
    desk.addFile(kFile, kept);
    desk.lockFile(kFile, test::FileLock::Exclusive, c.heldMs);
    EXPECT_EQ(readTraySettings(loadIniFile(p, settingsPath(p))).Stop, c.read);
    EXPECT_TRUE(readTraySettings(loadIniFile(p, settingsPath(p))).Stop);  // let go by now
    EXPECT_EQ(loadIniFileForRewrite(p, settingsPath(p)).has_value(), c.read);
    const std::string log = dataFile(u"Rimfold_Error.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), c.read ? 0 : 1) << log;
  }
}

}  // namespace
}  // namespace rimfold
