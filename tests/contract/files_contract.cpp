#include "contract/files_contract.h"

#include <algorithm>

namespace rimfold::contract {

std::string filesKindName(const ::testing::TestParamInfo<FilesKind>& info) {
  return info.param.name;
}

namespace {

std::string narrow(const std::u16string& s) { return {s.begin(), s.end()}; }

std::vector<std::u16string> sorted(std::vector<std::u16string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST_P(FilesContract, ASaveReplacesTheWholeFileAndLeavesNothingBesideIt) {
  const std::u16string target = path(u"Disable.log");
  const std::string contents[] = {"first\r\n", "", std::string(200000, 'x'), "last"};
  for (const std::string& bytes : contents) {
    SCOPED_TRACE(bytes.size());
    ASSERT_TRUE(system().writeFileReplacing(target, bytes));
    EXPECT_EQ(files().contentOf(target), bytes);
    std::string read;
    ASSERT_EQ(system().readFile(target, read, bytes.size()), ReadResult::Ok);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(files().entries(), std::vector<std::u16string>{u"Disable.log"});
  }
  // What a save killed half-way leaves: the next one takes the same temporary name over.
  files().put(replacingTempPath(target), "partial");
  ASSERT_TRUE(system().writeFileReplacing(target, "new"));
  EXPECT_EQ(files().contentOf(target), "new");
  EXPECT_EQ(files().entries(), std::vector<std::u16string>{u"Disable.log"});
}

TEST_P(FilesContract, ASaveThatCannotBeMadeChangesNothing) {
  ASSERT_TRUE(system().createDirectory(path(u"Folder")));
  EXPECT_FALSE(system().writeFileReplacing(path(u"no such\\file.txt"), "x")) << "missing folder";
  EXPECT_FALSE(system().writeFileReplacing(path(u"Folder"), "x")) << "a folder of that name";
  EXPECT_TRUE(system().directoryExists(path(u"Folder")));
  EXPECT_EQ(files().entries(), std::vector<std::u16string>{u"Folder"});
}

// Each outcome the settings tell apart: a file that is not there gives the defaults, one
// that is there but cannot be read is never written over, one too large is not read at all.
TEST_P(FilesContract, AReadTellsMissingFromUnreadableFromTooLarge) {
  files().put(path(u"ten.txt"), "0123456789");
  ASSERT_TRUE(system().createDirectory(path(u"Folder")));
  const struct {
    std::u16string name;
    std::uint64_t limit;
    ReadResult result;
  } rows[] = {
      {u"ten.txt", 10, ReadResult::Ok},
      {u"TEN.TXT", 10, ReadResult::Ok},
      {u"ten.txt", 9, ReadResult::TooLarge},
      {u"missing.txt", 10, ReadResult::Missing},
      {u"no such\\file.txt", 10, ReadResult::Missing},
      {u"Folder", 10, ReadResult::Failed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(narrow(row.name) + " limit " + std::to_string(row.limit));
    std::string bytes = "before";
    EXPECT_EQ(system().readFile(path(row.name), bytes, row.limit), row.result);
    EXPECT_EQ(bytes, row.result == ReadResult::Ok ? "0123456789" : "before");
  }
}

// Whatever way another program holds the file, it is neither replaced nor deleted and the
// temporary file goes again; whether it can still be read depends on the holder.
TEST_P(FilesContract, AFileAnotherProgramHoldsIsNeitherReplacedNorDeleted) {
  const std::u16string target = path(u"held.txt");
  const struct {
    const char* name;
    Holder how;
    ReadResult read;
  } rows[] = {
      {"exclusive", Holder::Exclusive, ReadResult::Failed},
      {"reading", Holder::Reading, ReadResult::Ok},
      {"reading, sharing writes", Holder::ReadingSharingWrites, ReadResult::Ok},
      {"writing", Holder::Writing, ReadResult::Failed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    files().put(target, "old content");
    EXPECT_TRUE(system().canOpenExclusive(target));
    files().hold(target, row.how);
    std::string bytes;
    EXPECT_EQ(system().readFile(target, bytes, 100), row.read);
    EXPECT_FALSE(system().canOpenExclusive(target));
    EXPECT_FALSE(system().writeFileReplacing(target, "new content"));
    EXPECT_FALSE(system().deleteFile(target));
    files().release(target);
    EXPECT_EQ(files().contentOf(target), "old content");
    EXPECT_EQ(files().entries(), std::vector<std::u16string>{u"held.txt"});
    EXPECT_TRUE(system().canOpenExclusive(target));
  }
  EXPECT_TRUE(system().deleteFile(target));
  EXPECT_TRUE(files().entries().empty());
  EXPECT_FALSE(system().deleteFile(target)) << "already gone";
}

TEST_P(FilesContract, NamesAreFoundWithoutRegardToCaseAndReportedAsSpelled) {
  files().put(path(u"a file.txt"), "1");
  files().put(path(u"MixedCase Name.Txt"), "1");
  ASSERT_TRUE(system().createDirectory(path(u"Sub Folder")));
  EXPECT_FALSE(system().createDirectory(path(u"Sub Folder"))) << "already there";
  EXPECT_FALSE(system().createDirectory(path(u"missing\\child"))) << "one level at a time";
  const struct {
    std::u16string name;
    bool file, directory, exclusive;
  } rows[] = {
      {u"a file.txt", true, false, true},    {u"A FILE.TXT", true, false, true},
      {u"Sub Folder", false, true, false},   {u"sub folder", false, true, false},
      {u"missing.txt", false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(narrow(row.name));
    EXPECT_EQ(system().fileExists(path(row.name)), row.file);
    EXPECT_EQ(system().directoryExists(path(row.name)), row.directory);
    EXPECT_EQ(system().canOpenExclusive(path(row.name)), row.exclusive);
  }
  EXPECT_EQ(system().findFileName(path(u"mixedcase name.txt")), u"MixedCase Name.Txt");
  EXPECT_EQ(system().findFileName(path(u"SUB FOLDER")), u"Sub Folder");
  EXPECT_EQ(system().findFileName(path(u"absent.txt")), std::nullopt);
}

// As the start looks for the temporary files of saves that were cut off: files only, the
// pattern's letters in any case.
TEST_P(FilesContract, FindFilesMatchesFilesOnlyWithoutRegardToCase) {
  for (const char16_t* name : {u"rf1A2B.tmp", u"RF9.TMP", u"rf.tmp", u"rf1.txt", u"xrf1.tmp"}) {
    files().put(path(name), "");
  }
  ASSERT_TRUE(system().createDirectory(path(u"rfdir.tmp")));
  EXPECT_EQ(sorted(system().findFiles(files().folder(), u"rf*.tmp")),
            (std::vector<std::u16string>{u"RF9.TMP", u"rf.tmp", u"rf1A2B.tmp"}));
  EXPECT_EQ(sorted(system().findFiles(files().folder(), u"RF?.tmp")),
            (std::vector<std::u16string>{u"RF9.TMP"}));
  EXPECT_TRUE(system().findFiles(path(u"missing"), u"*").empty());
}

// The per-user registry as the sign-in entry uses it: strings round-trip, other types are
// bytes only, and deleting what is not there succeeds.
TEST_P(FilesContract, CurrentUserValuesRoundTrip) {
  const std::u16string key = files().scratchKey();
  EXPECT_EQ(system().readHkcuString(key, u"Run"), std::nullopt);
  EXPECT_EQ(system().readHkcuBytes(key, u"Run"), std::nullopt);
  EXPECT_TRUE(system().deleteHkcuValue(key, u"Run")) << "no key";
  const std::u16string text = u"\"C:\\Программы\\Rimfold.exe\"";
  ASSERT_TRUE(system().writeHkcuString(key, u"Run", text));
  EXPECT_EQ(system().readHkcuString(key, u"Run"), text);
  const std::optional<std::string> stored = system().readHkcuBytes(key, u"Run");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(*stored,
            std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2))
      << "UTF-16 with its NUL";

  const std::string approved{3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  files().putBinaryValue(u"Approved", approved);
  EXPECT_EQ(system().readHkcuString(key, u"Approved"), std::nullopt);
  EXPECT_EQ(system().readHkcuBytes(key, u"Approved"), approved);

  EXPECT_TRUE(system().deleteHkcuValue(key, u"Run"));
  EXPECT_EQ(system().readHkcuString(key, u"Run"), std::nullopt);
  EXPECT_TRUE(system().deleteHkcuValue(key, u"Run")) << "already gone";
  EXPECT_EQ(system().readHkcuBytes(key, u"Approved"), approved) << "the other value stays";
}

}  // namespace rimfold::contract
