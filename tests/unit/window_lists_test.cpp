#include "settings/window_lists.h"

#include <gtest/gtest.h>

#include <string>

#include "fake/fake_desktop.h"
#include "rtl/text_utils.h"
#include "settings/data_files.h"
#include "system/data_dir.h"

namespace rimfold {
namespace {

const WindowIdentity kNotepad{u"Untitled - Notepad", u"Notepad",
                              u"C:\\Windows\\System32\\notepad.exe"};

TEST(WindowLists, IsExcludedByAnyOfTheThreeKeys) {
  struct Case {
    const char* name;
    StringList exclusions;
    WindowIdentity window;
    bool excluded;
  };
  const WindowIdentity otherClass{u"Untitled - Notepad", u"Edit", kNotepad.ImagePath};
  const WindowIdentity otherTitle{u"a.txt - Notepad", u"Notepad", kNotepad.ImagePath};
  const WindowIdentity untitled{};  // all identity strings empty
  const Case cases[] = {
      {"empty list", {}, kNotepad, false},
      {"program key", {u"NOTEPAD.EXE,"}, otherClass, true},
      {"program key in other case", {u"notepad.exe,"}, kNotepad, true},
      {"class key", {u"NOTEPAD.EXE,Notepad,"}, otherTitle, true},
      {"class key, other class", {u"NOTEPAD.EXE,Notepad,"}, otherClass, false},
      {"class key in other case", {u"notepad.exe,NOTEPAD,"}, kNotepad, true},
      {"window key", {u"NOTEPAD.EXE,Notepad,Untitled - Notepad"}, kNotepad, true},
      {"window key, other title", {u"NOTEPAD.EXE,Notepad,Untitled - Notepad"}, otherTitle, false},
      {"window key in other case", {u"notepad.exe,notepad,UNTITLED - NOTEPAD"}, kNotepad, true},
      {"prefix of a key is not a match", {u"NOTEPAD.EXE"}, kNotepad, false},
      {"longer entry is not a match",
       {u"NOTEPAD.EXE,Notepad,Untitled - Notepad "},
       kNotepad,
       false},
      {"other program", {u"CALC.EXE,"}, kNotepad, false},
      {"empty identity by program key", {u","}, untitled, true},
      {"empty identity by class key", {u",,"}, untitled, true},
      {"empty identity not by a real key", {u"NOTEPAD.EXE,"}, untitled, false},
      {"comma in the title",
       {u"NOTEPAD.EXE,Notepad,a,b"},
       WindowIdentity{u"a,b", u"Notepad", kNotepad.ImagePath},
       true},
      {"comma in the title is not split",
       {u"NOTEPAD.EXE,Notepad,a,"},
       WindowIdentity{u"a,b", u"Notepad", kNotepad.ImagePath},
       false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isExcluded(c.exclusions, c.window), c.excluded) << c.name;
  }
}

TEST(WindowLists, InsertUniqueAddsAtTopUnlessPresentInAnyCase) {
  WindowList list = StringList{u"A.EXE,"};
  EXPECT_TRUE(insertUnique(list, u"B.EXE,"));
  EXPECT_FALSE(insertUnique(list, u"a.exe,"));
  EXPECT_FALSE(insertUnique(list, u"B.EXE,"));
  EXPECT_EQ(list, (StringList{u"B.EXE,", u"A.EXE,"}));
}

TEST(WindowLists, RecordProcessedPutsWindowKeyFirst) {
  WindowList processed;
  recordProcessed(processed, kNotepad);
  EXPECT_EQ(processed, (StringList{u"NOTEPAD.EXE,Notepad,Untitled - Notepad",
                                   u"NOTEPAD.EXE,Notepad,", u"NOTEPAD.EXE,"}));

  // A second window of the same class adds only its window key.
  const WindowIdentity second{u"a.txt - Notepad", u"Notepad", kNotepad.ImagePath};
  recordProcessed(processed, second);
  EXPECT_EQ(processed, (StringList{u"NOTEPAD.EXE,Notepad,a.txt - Notepad",
                                   u"NOTEPAD.EXE,Notepad,Untitled - Notepad",
                                   u"NOTEPAD.EXE,Notepad,", u"NOTEPAD.EXE,"}));
  recordProcessed(processed, kNotepad);
  EXPECT_EQ(processed.size(), 4u);

  // An untitled window: the program key "," and the class and window keys ",," coincide.
  WindowList untitled;
  recordProcessed(untitled, WindowIdentity{});
  EXPECT_EQ(untitled, (StringList{u",,", u","}));
}

// A long run with many windows keeps the newest entries: the oldest go from the bottom, and
// a key dropped is no longer found (so it is recorded afresh when it comes back).
TEST(WindowLists, TheProcessedListKeepsTheNewest) {
  WindowList processed;
  // Distinct titles of one program and class: the program's and the class's keys, dropped
  // as the oldest, are recorded again with the next window.
  for (int i = 0; i < 3500; ++i) {
    recordProcessed(processed,
                    WindowIdentity{u"Title " + toDecimal(i), u"Class", kNotepad.ImagePath});
  }
  EXPECT_EQ(processed.size(), kMaxProcessedEntries);
  EXPECT_EQ(processed[0], u"NOTEPAD.EXE,Class,Title 3499");
  EXPECT_FALSE(processed.contains(u"NOTEPAD.EXE,Class,Title 499"));
  EXPECT_TRUE(processed.contains(u"notepad.exe,class,title 600"));
  EXPECT_TRUE(processed.contains(u"NOTEPAD.EXE,"));
  EXPECT_EQ(processed.droppedFromBottom() + processed.size(), 3504u);
}

TEST(WindowLists, DialogOperations) {
  struct Case {
    const char* name;
    StringList processed, exclusions;
    ListSelection before;
    int exclusionAfterClick;  // selectMatchingExclusion
    bool added;               // addSelectedToExclusions
    StringList exclusionsAfterAdd;
  };
  const Case cases[] = {
      {"match in other case",
       {u"A.EXE,", u"B.EXE,"},
       {u"x,", u"b.exe,"},
       {1, 0},
       1,
       false,
       {u"x,", u"b.exe,"}},
      {"no match: none selected", {u"A.EXE,"}, {u"x,"}, {0, 0}, -1, true, {u"A.EXE,", u"x,"}},
      {"empty exclusions keep the selection", {u"A.EXE,"}, {}, {0, 5}, 5, true, {u"A.EXE,"}},
      {"nothing selected", {u"A.EXE,"}, {u"x,"}, {-1, 0}, 0, false, {u"x,"}},
      {"selection out of range", {u"A.EXE,"}, {u"x,"}, {3, 0}, 0, false, {u"x,"}},
      {"first equal from the top",
       {u"K,"},
       {u"z,", u"k,", u"K,"},
       {0, -1},
       1,
       false,
       {u"z,", u"k,", u"K,"}},
  };
  for (const auto& c : cases) {
    ListSelection sel = c.before;
    selectMatchingExclusion(c.processed, c.exclusions, sel);
    EXPECT_EQ(sel.exclusion, c.exclusionAfterClick) << c.name;
    EXPECT_EQ(sel.processed, c.before.processed) << c.name;

    WindowList exclusions = c.exclusions;
    EXPECT_EQ(addSelectedToExclusions(c.processed, exclusions, c.before), c.added) << c.name;
    EXPECT_EQ(exclusions, c.exclusionsAfterAdd) << c.name;
  }
}

TEST(WindowLists, DeleteAndClear) {
  WindowList exclusions = StringList{u"A,", u"B,", u"A,"};
  ListSelection sel{-1, 2};
  EXPECT_TRUE(deleteSelectedExclusion(exclusions, sel));
  EXPECT_EQ(exclusions, (StringList{u"A,", u"B,"}));  // the duplicate above stays
  EXPECT_EQ(sel.exclusion, -1);
  EXPECT_FALSE(deleteSelectedExclusion(exclusions, sel));
  sel.exclusion = 2;
  EXPECT_FALSE(deleteSelectedExclusion(exclusions, sel));
  EXPECT_EQ(exclusions.size(), 2u);

  WindowList processed = StringList{u"A,", u"B,"};
  sel = {1, 0};
  clearProcessed(processed, sel);
  EXPECT_TRUE(processed.empty());
  EXPECT_EQ(sel.processed, -1);
  EXPECT_EQ(sel.exclusion, 0);
}

class DisableLogTest : public ::testing::Test {
 protected:
  test::FakeDesktop desktop_;
  Platform platform_ = desktop_.platform();
  const std::u16string path_ =
      u"C:\\users\\test\\AppData\\Roaming\\Quenbrook\\Rimfold\\Disable.log";

  void SetUp() override {
    desktop_.addDirectory(u"C:\\users\\test\\AppData\\Roaming\\Quenbrook\\Rimfold");
  }

  std::string utf16le(std::u16string_view text) {
    return encodeText(text, TextEncoding::Utf16LE, true, desktop_);
  }
};

TEST_F(DisableLogTest, LoadKeepsLinesWithACommaInOrderAndUntrimmed) {
  struct Case {
    const char* name;
    std::string bytes;
    StringList expected;
  };
  const std::u16string text =
      u"NOTEPAD.EXE,\r\nno comma\r\n\r\n  CALC.EXE,Calc, \n,\r,,\r\nNOTEPAD.EXE,\r\nlast";
  const StringList expected = {u"NOTEPAD.EXE,", u"  CALC.EXE,Calc, ", u",", u",,", u"NOTEPAD.EXE,"};
  const Case cases[] = {
      {"UTF-16 LE", utf16le(text), expected},
      {"UTF-16 BE", encodeText(text, TextEncoding::Utf16BE, true, desktop_), expected},
      {"UTF-8 with BOM", encodeText(text, TextEncoding::Utf8, true, desktop_), expected},
      {"ANSI", "A\xE9.EXE,T\x80\r\nx", {u"A\u00E9.EXE,T\u20AC"}},
      {"BOM alone", "\xFF\xFE", {}},
      {"empty file", "", {}},
      {"only lines without comma", utf16le(u"a\r\nb\r\n"), {}},
      {"odd byte count", utf16le(u"A,\r\nB,") + "Z", {u"A,", u"B,"}},
  };
  for (const auto& c : cases) {
    desktop_.addFile(path_, c.bytes);
    EXPECT_EQ(loadDisableLog(platform_, path_), c.expected) << c.name;
  }
}

TEST_F(DisableLogTest, MissingFileGivesEmptyList) {
  EXPECT_TRUE(loadDisableLog(platform_, path_).empty());
  EXPECT_TRUE(loadDisableLog(platform_, u"Q:\\nowhere\\Disable.log").empty());
}

TEST_F(DisableLogTest, SaveWritesUtf16LeWithBomByteExact) {
  struct Case {
    const char* name;
    StringList entries;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty list: only the BOM", {}, std::string("\xFF\xFE", 2)},
      {"two entries",
       {u"A,", u"\u3042,b"},
       std::string("\xFF\xFE"
                   "A\0,\0\r\0\n\0"
                   "\x42\x30,\0b\0\r\0\n\0",
                   20)},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(saveDisableLog(platform_, c.entries, path_)) << c.name;
    EXPECT_EQ(desktop_.fileBytes(path_), c.bytes) << c.name;
  }
}

TEST_F(DisableLogTest, Utf8FileIsSavedBackAsUtf16Le) {
  desktop_.addFile(path_, "\xEF\xBB\xBFNOTEPAD.EXE,Notepad,\xE7\x84\xA1\xE9\xA1\x8C\r\n");
  const StringList loaded = loadDisableLog(platform_, path_);
  ASSERT_EQ(loaded, (StringList{u"NOTEPAD.EXE,Notepad,\u7121\u984C"}));
  ASSERT_TRUE(saveDisableLog(platform_, loaded, path_));
  EXPECT_EQ(desktop_.fileBytes(path_), utf16le(u"NOTEPAD.EXE,Notepad,\u7121\u984C\r\n"));
}

TEST_F(DisableLogTest, DuplicatesSurviveLoadAndDeletingOneKeepsTheOther) {
  desktop_.addFile(path_, utf16le(u"CALC.EXE,\r\nNOTEPAD.EXE,\r\ncalc.exe,\r\n"));
  WindowList list = loadDisableLog(platform_, path_);
  ASSERT_EQ(list, (StringList{u"CALC.EXE,", u"NOTEPAD.EXE,", u"calc.exe,"}));
  ListSelection sel{-1, 0};
  ASSERT_TRUE(deleteSelectedExclusion(list, sel));
  EXPECT_TRUE(isExcluded(list, WindowIdentity{u"t", u"c", u"C:\\calc.exe"}));
  ASSERT_TRUE(saveDisableLog(platform_, list, path_));
  EXPECT_EQ(desktop_.fileBytes(path_), utf16le(u"NOTEPAD.EXE,\r\ncalc.exe,\r\n"));
}

TEST_F(DisableLogTest, AFileUnreadableAtLoadIsNotReplacedByAnEmptyList) {
  const std::string kept = utf16le(u"KEEP,\r\n");
  // A BOM and n units take 2 + 2n bytes: n = limit / 2 is the first size over the limit.
  const auto padded = [&](std::size_t units) {
    return utf16le(u"KEEP,\r\n" + std::u16string(units - 8, u'x') + u",");
  };
  const std::string oversized = padded(kListFileLimit / 2);
  struct Case {
    const char* name;
    std::string file;
    bool locked;
    StringList atClose;
    ReadResult read;
    std::string after;
  };
  const Case cases[] = {
      {"held elsewhere, nothing added: the file keeps its entries",
       kept,
       true,
       {},
       ReadResult::Failed,
       kept},
      {"held elsewhere, an entry added: still kept",
       kept,
       true,
       {u"NEW,"},
       ReadResult::Failed,
       kept},
      {"oversized, nothing added: kept", oversized, false, {}, ReadResult::TooLarge, oversized},
      {"oversized, an entry added: still kept",
       oversized,
       false,
       {u"NEW,"},
       ReadResult::TooLarge,
       oversized},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop_.addFile(path_, c.file);
    if (c.locked) desktop_.lockFile(path_, test::FileLock::Exclusive);
    ReadResult read = ReadResult::Ok;
    EXPECT_TRUE(loadDisableLog(platform_, path_, &read).empty());
    EXPECT_EQ(read, c.read);
    desktop_.lockFile(path_, test::FileLock::None);  // the other program lets go
    saveDisableLog(platform_, c.atClose, path_, read);
    EXPECT_EQ(desktop_.fileBytes(path_), c.after);
  }
  // A readable file just under the limit, and a missing one.
  desktop_.addFile(path_, padded(kListFileLimit / 2 - 1));
  ReadResult read = ReadResult::Failed;
  EXPECT_EQ(loadDisableLog(platform_, path_, &read).size(), 2u);
  EXPECT_EQ(read, ReadResult::Ok);
  loadDisableLog(platform_, path_ + u".missing", &read);
  EXPECT_EQ(read, ReadResult::Missing);
}

TEST_F(DisableLogTest, SaveRefusesAFileHeldOpenElsewhere) {
  desktop_.addFile(path_, utf16le(u"KEEP,\r\n"));
  desktop_.lockFile(path_, test::FileLock::Exclusive);
  EXPECT_FALSE(saveDisableLog(platform_, StringList{u"NEW,"}, path_));
  EXPECT_EQ(desktop_.fileBytes(path_), utf16le(u"KEEP,\r\n"));
}

}  // namespace
}  // namespace rimfold
