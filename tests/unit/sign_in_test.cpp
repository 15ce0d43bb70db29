#include "system/sign_in.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake/fake_desktop.h"

namespace rimfold {
namespace {

using test::FakeDesktop;

const std::u16string kExe = u"C:\\Users\\Tester\\AppData\\Local\\Programs\\Rimfold\\Rimfold.exe";

std::string utf8(std::u16string_view s) { return std::string(s.begin(), s.end()); }

TEST(SignIn, CommandNamesTheExeQuotedOrNot) {
  const struct {
    std::u16string command;
    bool names;
  } rows[] = {
      {signInCommand(kExe), true},
      {u"\"c:\\users\\tester\\appdata\\local\\programs\\rimfold\\RIMFOLD.EXE\"", true},
      {u"\"" + kExe + u"\" /Q", true},
      {kExe, true},
      {kExe + u" /Q", true},
      {u"\"" + kExe + u".old\"", false},  // another file whose name begins the same
      {kExe + u"2", false},
      {u"\"" + kExe, false},  // the quote never closes
      {u"\"C:\\Tools\\Rimfold.exe\"", false},
      {u"", false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(commandNames(r.command, kExe), r.names) << utf8(r.command);
  }
  EXPECT_FALSE(commandNames(signInCommand(kExe), u""));
}

TEST(SignIn, StartsOnlyWhenTheEntryNamesThisExeAndIsNotSwitchedOff) {
  const std::string on{"\x02\0\0\0\0\0\0\0\0\0\0\0", 12};
  const std::string off{"\x03\0\0\0\x10\x20\x30\x40\x50\x60\x70\x01", 12};
  const struct {
    const char* name;
    std::optional<std::u16string> run;
    std::optional<std::string> approved;
    bool starts;
  } rows[] = {
      {"no entry", std::nullopt, std::nullopt, false},
      {"this exe", signInCommand(kExe), std::nullopt, true},
      {"another copy", u"\"D:\\Rimfold\\Rimfold.exe\"", std::nullopt, false},
      {"approved in Task Manager", signInCommand(kExe), on, true},
      {"switched off in Task Manager", signInCommand(kExe), off, false},
      {"an empty approval", signInCommand(kExe), std::string{}, true},
  };
  for (const auto& r : rows) {
    FakeDesktop d;
    if (r.run) d.writeHkcuString(kRunKey, kSignInValue, *r.run);
    if (r.approved) d.setHkcuBytes(kStartupApprovedKey, kSignInValue, *r.approved);
    EXPECT_EQ(startsAtSignIn(d, kExe), r.starts) << r.name;
  }
  FakeDesktop binary;
  binary.setHkcuBytes(kRunKey, kSignInValue, "\"C:\\x\"");
  EXPECT_FALSE(startsAtSignIn(binary, kExe)) << "a value that is not a string";
}

TEST(SignIn, SwitchingOnNamesThisExeAndLiftsASwitchOffAndOffLeavesNothing) {
  FakeDesktop d;
  d.writeHkcuString(kRunKey, kSignInValue, u"\"D:\\old\\Rimfold.exe\"");
  d.setHkcuBytes(kStartupApprovedKey, kSignInValue, std::string{"\x03\0\0\0", 4});
  ASSERT_TRUE(setStartAtSignIn(d, kExe, true));
  EXPECT_EQ(d.readHkcuString(kRunKey, kSignInValue), signInCommand(kExe));
  EXPECT_TRUE(startsAtSignIn(d, kExe));

  ASSERT_TRUE(setStartAtSignIn(d, kExe, false));
  EXPECT_EQ(d.readHkcuBytes(kRunKey, kSignInValue), std::nullopt);
  EXPECT_EQ(d.readHkcuBytes(kStartupApprovedKey, kSignInValue), std::nullopt);
  EXPECT_TRUE(setStartAtSignIn(d, kExe, false)) << "already off";
}

TEST(SignIn, ARefusedChangeIsReportedAndChangesNothing) {
  for (const bool on : {true, false}) {
    FakeDesktop d;
    if (!on) d.writeHkcuString(kRunKey, kSignInValue, signInCommand(kExe));
    d.setHkcuWritesFail(true);
    EXPECT_FALSE(setStartAtSignIn(d, kExe, on)) << on;
    EXPECT_EQ(startsAtSignIn(d, kExe), !on) << on;
  }
}

}  // namespace
}  // namespace rimfold
