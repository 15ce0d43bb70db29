// The dialog's page logic: the exclusions page's button states, the work-area page's
// edits, captions and refusals, and the list extent kept in step with a list.
#include <gtest/gtest.h>

#include "app/exclusion_page.h"
#include "ui/model/list_extent.h"
#include "data_folder_fixture.h"
#include "workarea/work_area_page.h"

namespace rimfold::app {
namespace {

using test::FakeMonitor;

TEST(ExclusionPage, ButtonsFollowSelectionsAndOperations) {
  ProgramState c;
  c.lists.ListBoxE = StringList{u"A.EXE,C,T", u"A.EXE,C,", u"A.EXE,"};
  c.lists.ListBoxD = StringList{u"x,", u"a.exe,c,"};
  c.lists.TBListEClearEnabled = true;
  ExclusionPage page;

  page.ListBoxEClick(c.lists, 1);  // the class key: the same entry is selected below
  EXPECT_TRUE(page.TBExeAddEnabled);
  EXPECT_EQ(page.sel.exclusion, 1);
  EXPECT_FALSE(page.TBExeAddClick(c.lists));  // already there in another case

  page.ListBoxEClick(c.lists, 2);
  EXPECT_TRUE(page.TBExeAddClick(c.lists));
  EXPECT_EQ(c.lists.ListBoxD, (StringList{u"A.EXE,", u"x,", u"a.exe,c,"}));

  page.ListBoxEExit();
  EXPECT_FALSE(page.TBExeAddEnabled);
  EXPECT_FALSE(page.TBExeAddClick(c.lists));

  page.ListBoxDClick(0);
  EXPECT_TRUE(page.TBExeDelEnabled);
  EXPECT_TRUE(page.TBExeDelClick(c.lists));
  EXPECT_FALSE(page.TBExeDelEnabled);  // no selection remains after a delete
  EXPECT_FALSE(page.TBExeDelClick(c.lists));

  page.TBListEClearClick(c.lists);
  EXPECT_TRUE(c.lists.ListBoxE.empty());
  EXPECT_FALSE(c.lists.TBListEClearEnabled);
}

TEST(ListExtent, WidestFollowsInsertionsAndDeletions) {
  ListExtent e;
  EXPECT_EQ(e.widest(), 0);
  for (int w : {40, 90, 90, 10}) e.insertTop(w);  // top to bottom: 10, 90, 90, 40
  EXPECT_EQ(e.widest(), 90);
  e.erase(1);
  EXPECT_EQ(e.widest(), 90);  // the other 90 is still there
  e.erase(1);
  EXPECT_EQ(e.widest(), 40);
  e.erase(5);  // out of range: nothing
  EXPECT_EQ(e.size(), 2u);
  e.clear();
  EXPECT_EQ(e.widest(), 0);
}

class WorkAreaPageTest : public test::DataFolderTest {
 protected:
  void start(const FakeMonitor& m) {
    desk.setMonitors({m});
    monitors.refresh();
    Proc_MonitorInitial(p, c.workAreaFile(), monitors);
    page.CBMonitorChange(c.tables, 0);
  }
  ProgramState c;
  MonitorList monitors{desk};
  WorkAreaPage page;
};

TEST_F(WorkAreaPageTest, ShowsTheSettingAndTheSystemEdgesAndAppliesTheLimit) {
  start({0, {0, 0, 1920, 1080}, {0, 0, 1920, 1060}, true});
  EXPECT_EQ(page.edits, (EdgeTexts{u"0", u"1060", u"0", u"1920"}));
  EXPECT_EQ(page.captions[1], u"下(B) [1060]");
  EXPECT_FALSE(page.readOnly);

  page.edits.Top = u"300";
  ASSERT_TRUE(page.TBWorkAreaApplyClick(p, c.tables, monitors, false));
  EXPECT_EQ(page.edits.Top, u"212");  // 20 % of 1060
  EXPECT_EQ(c.tables.MWorkArea[0].Top, 212);
  page.edits.Top = u"300";
  ASSERT_TRUE(page.TBWorkAreaApplyClick(p, c.tables, monitors, true));
  EXPECT_EQ(c.tables.MWorkArea[0].Top, 300);

  ASSERT_TRUE(page.PPDefBorderNClick(p, c.tables, monitors, false, 9));
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{-9, 1069, -9, 1929}));
}

// An edge beyond four digits is shown read-only and never applied; defaults and presets
// still put the monitor back whenever its work area and the preset fit.
TEST_F(WorkAreaPageTest, EdgesBeyondFourDigitsAreShownReadOnlyAndNeverApplied) {
  struct Case {
    const char* name;
    TRect bounds, work;
    bool readOnly;
    bool presetTaken;              // the 9-pixel preset
    std::int32_t storedRight = 0;  // as WorkArea.dat gave it; 0: the work area's
  };
  const Case cases[] = {
      {"-9999 .. 9999 fit", {-9999, 0, 0, 1080}, {-9999, 0, 0, 1080}, false, false},
      {"a preset leaving four digits", {-9990, 0, 0, 1080}, {-9990, 0, 0, 1080}, false, true},
      {"five digits", {10000, 0, 11920, 1080}, {10000, 0, 11920, 1080}, true, false},
      {"a damaged file's five digits", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true, true, 99999},
  };
  for (const Case& k : cases) {
    start({0, k.bounds, k.work, true});
    if (k.storedRight != 0) {
      c.tables.MWorkArea[0].Right = k.storedRight;
      page.CBMonitorChange(c.tables, 0);
      EXPECT_EQ(page.edits.Right, u"99999") << k.name;
    }
    EXPECT_EQ(page.readOnly, k.readOnly) << k.name;
    if (k.readOnly) {
      EXPECT_FALSE(page.TBWorkAreaApplyClick(p, c.tables, monitors, true)) << k.name;
    }
    const TWorkAreaEdges before = c.tables.MWorkArea[0];
    EXPECT_EQ(page.PPDefBorderNClick(p, c.tables, monitors, false, 9), k.presetTaken) << k.name;
    if (!k.presetTaken) {
      EXPECT_EQ(c.tables.MWorkArea[0], before) << k.name;
    } else {
      EXPECT_FALSE(page.readOnly) << k.name;
    }
  }
}

}  // namespace
}  // namespace rimfold::app
