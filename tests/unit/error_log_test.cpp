#include "settings/error_log.h"

#include <gtest/gtest.h>

#include <string>

#include "data_folder_fixture.h"

namespace rimfold {
namespace {

using test::FileLock;

const std::u16string kFile = std::u16string(test::kTestDataDir) + u"Rimfold_Error.log";

class ErrorLogTest : public test::DataFolderTest {
 protected:
  void at(int hour, int minute, int second) {
    desk.setLocalTime({2024, 12, 12, 4, hour, minute, second, 0});
  }
  std::string file() const { return dataFile(u"Rimfold_Error.log"); }
};

TEST_F(ErrorLogTest, PathIsInTheDataFolder) { EXPECT_EQ(errorLogPath(p), kFile); }

TEST_F(ErrorLogTest, LinesCarryTheTimestampAndTheMessage) {
  struct Case {
    const char* name;
    int hour, minute, second;
    std::u16string message;
    std::string line;
  };
  const Case cases[] = {
      {"daytime", 9, 5, 3, u"Access violation", "2024/12/12 9:05:03 : Access violation\r\n"},
      {"midnight: the date alone", 0, 0, 0, u"boom", "2024/12/12 : boom\r\n"},
      {"one second past midnight", 0, 0, 1, u"boom", "2024/12/12 0:00:01 : boom\r\n"},
      {"empty message", 23, 59, 59, u"", "2024/12/12 23:59:59 : \r\n"},
      {"line break kept", 9, 5, 3, u"first\r\nsecond", "2024/12/12 9:05:03 : first\r\nsecond\r\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    desk.removeFile(kFile);
    at(k.hour, k.minute, k.second);
    EXPECT_TRUE(appendErrorLog(p, k.message));
    EXPECT_EQ(file(), k.line);
  }
}

TEST_F(ErrorLogTest, ErrorsAppendInOrder) {
  at(9, 5, 3);
  ASSERT_TRUE(appendErrorLog(p, u"one\nmore"));
  at(9, 5, 4);
  ASSERT_TRUE(appendErrorLog(p, u"two"));
  // The first message's bare line feed ends a line when the file is read back.
  EXPECT_EQ(file(),
            "2024/12/12 9:05:03 : one\r\nmore\r\n"
            "2024/12/12 9:05:04 : two\r\n");
}

TEST_F(ErrorLogTest, ExistingLinesAreKeptAndGetCrLf) {
  desk.addFile(kFile, "old line\nlast without end");
  at(12, 0, 0);
  ASSERT_TRUE(appendErrorLog(p, u"new"));
  EXPECT_EQ(file(), "old line\r\nlast without end\r\n2024/12/12 12:00:00 : new\r\n");
}

TEST_F(ErrorLogTest, TextIsWrittenInTheAnsiCodePage) {
  at(9, 5, 3);
  ASSERT_TRUE(appendErrorLog(p, u"caf\u00E9 \u65E5"));
  const std::string expected =
      std::string("2024/12/12 9:05:03 : caf\xE9 ") + desk.utf16ToAnsi(u"\u65E5") + "\r\n";
  EXPECT_EQ(file(), expected);
  EXPECT_EQ(desk.fileBytes(kFile)->substr(0, 3), "202");  // no byte-order mark
}

TEST_F(ErrorLogTest, FileHeldOpenByAnotherProcessCostsTheLine) {
  const std::string before = "2024/12/11 8:00:00 : earlier\r\n";
  desk.addFile(kFile, before);
  desk.lockFile(kFile, FileLock::Exclusive);
  at(9, 5, 3);
  EXPECT_FALSE(appendErrorLog(p, u"lost"));
  EXPECT_EQ(file(), before);

  // The next error, once the file is free again, gets through.
  desk.lockFile(kFile, FileLock::None);
  EXPECT_TRUE(appendErrorLog(p, u"next"));
  EXPECT_EQ(file(), before + "2024/12/12 9:05:03 : next\r\n");
}

}  // namespace
}  // namespace rimfold
