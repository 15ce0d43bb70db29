#include "workarea/work_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/program_state.h"
#include "data_folder_fixture.h"

namespace rimfold {
namespace {

using test::FakeMonitor;

const std::u16string kFile = std::u16string(test::kTestDataDir) + u"WorkArea.dat";

const FakeMonitor kFullHd{0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
const FakeMonitor kLeftOf{0, {-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, false};
const FakeMonitor kRightOf{0, {1920, -200, 3286, 568}, {1920, -200, 3286, 568}, false};

class WorkAreaTest : public test::DataFolderTest {
 protected:
  void SetUp() override { DataFolderTest::SetUp(); }

  // Monitors as given, the long-lived list and the tables as after start-up.
  MonitorPage start(const std::vector<FakeMonitor>& monitors) {
    desk.setMonitors(monitors);
    longLived.refresh();
    return Proc_MonitorInitial(p, c.workAreaFile(), longLived);
  }
  std::string file() const { return dataFile(u"WorkArea.dat"); }

  ProgramState c;
  MonitorList longLived{desk};
};

TEST(WorkAreaNames, SectionAndItemTexts) {
  struct Case {
    int index;
    MonitorInfo m;
    std::u16string section, item;
  };
  const Case cases[] = {
      {0,
       {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
       u"#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)",
       u"モニタ #1 [(0,0)-(1920,1080)]"},
      {1,
       {{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, false},
       u"#2 (-1280,0) - (0,1024) : (-1280,0) - (0,984)",
       u"モニタ #2 [(-1280,0)-(0,1024)]"},
      {9,
       {{1920, -200, 3286, 568}, {1980, -200, 3286, 568}, false},
       u"#10 (1920,-200) - (3286,568) : (1980,-200) - (3286,568)",
       u"モニタ #10 [(1920,-200)-(3286,568)]"},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(monitorSectionName(k.index, k.m), k.section);
    EXPECT_EQ(monitorItemText(k.index, k.m), k.item);
  }
}

TEST(WorkAreaNames, EdgeCaptions) {
  EXPECT_EQ(edgeCaption(Edge::Top, 0), u"上(&T) [0]");
  EXPECT_EQ(edgeCaption(Edge::Bottom, 1040), u"下(B) [1040]");
  EXPECT_EQ(edgeCaption(Edge::Left, -1280), u"左(&L) [-1280]");
  EXPECT_EQ(edgeCaption(Edge::Right, 1920), u"右(&R) [1920]");
}

TEST(WorkAreaNames, EdgesAndRectConvert) {
  const TRect r{-1280, 5, 0, 984};
  EXPECT_EQ(edgesOf(r), (TWorkAreaEdges{5, 984, -1280, 0}));
  EXPECT_EQ(rectOf(edgesOf(r)), r);
}

TEST_F(WorkAreaTest, MonitorInitialWithoutFileTakesSystemWorkAreas) {
  struct Case {
    const char* name;
    std::vector<FakeMonitor> monitors;
    std::vector<std::u16string> items;
    int selected;
  };
  FakeMonitor secondaryFullHd = kFullHd;
  secondaryFullHd.primary = false;
  FakeMonitor primaryLeft = kLeftOf;
  primaryLeft.primary = true;
  const Case cases[] = {
      {"one", {kFullHd}, {u"モニタ #1 [(0,0)-(1920,1080)]"}, 0},
      {"two, left one negative",
       {kFullHd, kLeftOf},
       {u"モニタ #1 [(0,0)-(1920,1080)]", u"モニタ #2 [(-1280,0)-(0,1024)]"},
       0},
      {"primary not first",
       {secondaryFullHd, primaryLeft},
       {u"モニタ #1 [(0,0)-(1920,1080)]", u"モニタ #2 [(-1280,0)-(0,1024)]"},
       1},
      {"three",
       {kLeftOf, kFullHd, kRightOf},
       {u"モニタ #1 [(-1280,0)-(0,1024)]", u"モニタ #2 [(0,0)-(1920,1080)]",
        u"モニタ #3 [(1920,-200)-(3286,568)]"},
       1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    c = ProgramState{};
    c.tables.MWorkArea.fill({1, 2, 3, 4});
    const MonitorPage page = start(k.monitors);
    EXPECT_EQ(page.items, k.items);
    EXPECT_EQ(page.selected, k.selected);
    EXPECT_EQ(c.tables.GMonitorCount, static_cast<int>(k.monitors.size()));
    for (size_t i = 0; i < k.monitors.size(); ++i) {
      EXPECT_EQ(c.tables.MDesktop[i], edgesOf(k.monitors[i].work)) << i;
      EXPECT_EQ(c.tables.MWorkArea[i], edgesOf(k.monitors[i].work)) << i;
    }
  }
  EXPECT_EQ(desk.writeCount(), 0);
}

TEST_F(WorkAreaTest, MonitorInitialReadsTheSectionOfTheCurrentConfiguration) {
  desk.addFile(kFile,
               "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)]\r\n"
               "Top=-5\r\nBottom=1045\r\nLeft=-5\r\nRight=1925\r\n\r\n"
               "[#2 (-1280,0) - (0,1024) : (-1280,0) - (0,984)]\r\n"
               "top=10\r\nRIGHT=-10\r\nLeft=oops\r\n\r\n");
  start({kFullHd, kLeftOf});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{-5, 1045, -5, 1925}));
  // Keys match regardless of case; a missing or unreadable value is the system edge.
  EXPECT_EQ(c.tables.MWorkArea[1], (TWorkAreaEdges{10, 984, -1280, -10}));
  EXPECT_EQ(c.tables.MDesktop[0], (TWorkAreaEdges{0, 1040, 0, 1920}));
  EXPECT_EQ(c.tables.MDesktop[1], (TWorkAreaEdges{0, 984, -1280, 0}));

  // The taskbar moves to the top: another section applies, which does not exist yet.
  FakeMonitor topBar = kFullHd;
  topBar.work = {0, 40, 1920, 1080};
  start({topBar, kLeftOf});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{40, 1080, 0, 1920}));
  EXPECT_EQ(c.tables.MDesktop[0], (TWorkAreaEdges{40, 1080, 0, 1920}));
  EXPECT_EQ(c.tables.MWorkArea[1], (TWorkAreaEdges{10, 984, -1280, -10}));
}

TEST_F(WorkAreaTest, MonitorInitialReadsTheSwitchesAndTheDialogSize) {
  struct Case {
    const char* name;
    std::string fileText;
    bool message, maxDisable, deskTopDisable;
    int height, width, groupBox;
  };
  const Case cases[] = {
      // Defaults: the check box's and the dialog's current values, MAX 1, DeskTop 0.
      {"missing", "", true, true, false, 480, 640, 100},
      {"stored",
       "[Message]\r\nEnabled=0\r\n\r\n[MAX]\r\nDisable=0\r\n\r\n[DeskTop]\r\nDisable=7\r\n\r\n"
       "[Window]\r\nHeight=500\r\nWidth=700\r\nGroupBoxE=120\r\n\r\n",
       false, false, true, 500, 700, 120},
      {"unreadable values", "[MAX]\r\nDisable=no\r\n\r\n[Window]\r\nHeight=tall\r\n\r\n", true,
       true, false, 480, 640, 100},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    desk.removeFile(kFile);
    if (!k.fileText.empty()) desk.addFile(kFile, k.fileText);
    c = ProgramState{};
    c.watch.CHKMessage = true;
    c.switches.TBMAXDisable = false;
    c.switches.TBDisableDeskTop = true;
    c.geometry.windowHeight = 480;
    c.geometry.windowWidth = 640;
    start({kFullHd});
    EXPECT_EQ(c.watch.CHKMessage, k.message);
    EXPECT_EQ(c.switches.TBMAXDisable, k.maxDisable);
    EXPECT_EQ(c.switches.TBDisableDeskTop, k.deskTopDisable);
    EXPECT_EQ(c.geometry.windowHeight, k.height);
    EXPECT_EQ(c.geometry.windowWidth, k.width);
    EXPECT_EQ(c.geometry.groupBoxEHeight, k.groupBox);
  }
}

TEST_F(WorkAreaTest, MonitorInitialTablesAtMostTenMonitors) {
  std::vector<FakeMonitor> monitors;
  for (int i = 0; i < 12; ++i) {
    monitors.push_back({0, {i * 100, 0, i * 100 + 100, 100}, {}, i == 11});
  }
  const MonitorPage page = start(monitors);
  EXPECT_EQ(c.tables.GMonitorCount, 12);
  EXPECT_EQ(page.items.size(), 10u);
  EXPECT_EQ(page.items.back(), u"モニタ #10 [(900,0)-(1000,100)]");
  EXPECT_EQ(c.tables.MDesktop[9], (TWorkAreaEdges{0, 100, 900, 1000}));
  // The primary is beyond the tables: the page opens on the first monitor.
  EXPECT_EQ(page.selected, 0);
}

struct ApplyCase {
  const char* name;
  TRect work;
  EdgeTexts edits;
  bool ctrl;
  EdgeTexts limited;  // the edits after apply
  TWorkAreaEdges stored;
};

TEST_F(WorkAreaTest, ApplyLimitsToTwentyPercentUnlessCtrl) {
  const ApplyCase cases[] = {
      // 1040 * 0.2 = 208, 1920 * 0.2 = 384.
      {"top above range",
       {0, 0, 1920, 1040},
       {u"300", u"1040", u"0", u"1920"},
       false,
       {u"208", u"1040", u"0", u"1920"},
       {208, 1040, 0, 1920}},
      {"top with ctrl",
       {0, 0, 1920, 1040},
       {u"300", u"1040", u"0", u"1920"},
       true,
       {u"300", u"1040", u"0", u"1920"},
       {300, 1040, 0, 1920}},
      {"lower bounds",
       {0, 0, 1920, 1040},
       {u"-500", u"100", u"-400", u"1000"},
       false,
       {u"-208", u"832", u"-384", u"1536"},
       {-208, 832, -384, 1536}},
      {"upper bounds",
       {0, 0, 1920, 1040},
       {u"209", u"9999", u"385", u"2305"},
       false,
       {u"208", u"1248", u"384", u"2304"},
       {208, 1248, 384, 2304}},
      {"bounds themselves stay",
       {0, 0, 1920, 1040},
       {u"-208", u"1248", u"384", u"1536"},
       false,
       {u"-208", u"1248", u"384", u"1536"},
       {-208, 1248, 384, 1536}},
      // 1366 * 0.2 = 273.2 and 768 * 0.2 = 153.6 truncate.
      {"1366 wide",
       {0, 0, 1366, 768},
       {u"200", u"0", u"300", u"1000"},
       false,
       {u"153", u"615", u"273", u"1093"},
       {153, 615, 273, 1093}},
      {"negative coordinates",
       {-1280, 0, 0, 984},
       {u"-300", u"984", u"-2000", u"300"},
       false,
       {u"-196", u"984", u"-1536", u"256"},
       {-196, 984, -1536, 256}},
      // A non-integer text counts as 0 for the range test: below the bottom's range.
      {"non-integer below range",
       {0, 0, 1920, 1040},
       {u"0", u"1.5", u"0", u"1920"},
       false,
       {u"0", u"832", u"0", u"1920"},
       {0, 832, 0, 1920}},
  };
  for (const ApplyCase& k : cases) {
    SCOPED_TRACE(k.name);
    start({{0, {k.work.Left, k.work.Top, k.work.Right, k.work.Bottom + 40}, k.work, true}});
    EdgeTexts edits = k.edits;
    applyWorkArea(p, c.tables, longLived, 0, edits, k.ctrl);
    EXPECT_EQ(edits, k.limited);
    EXPECT_EQ(c.tables.MWorkArea[0], k.stored);
  }
}

TEST_F(WorkAreaTest, ApplyWritesTheMonitorsSection) {
  start({kFullHd, kLeftOf});
  EdgeTexts edits{u"-3", u"980", u"-1279", u"-1"};
  applyWorkArea(p, c.tables, longLived, 1, edits, false);
  EXPECT_EQ(file(),
            "[#2 (-1280,0) - (0,1024) : (-1280,0) - (0,984)]\r\n"
            "Top=-3\r\nBottom=980\r\nLeft=-1279\r\nRight=-1\r\n\r\n");
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{0, 1040, 0, 1920}));
}

TEST_F(WorkAreaTest, ApplyUsesTheCurrentSystemWorkAreaInTheSectionName) {
  start({kFullHd});
  // The taskbar moved since the tables were built: the limit still follows MDesktop,
  // the section name the live work area.
  desk.setWorkArea(desk.monitors()[0].handle, {0, 0, 1920, 1000});
  EdgeTexts edits{u"10", u"1040", u"0", u"1920"};
  applyWorkArea(p, c.tables, longLived, 0, edits, false);
  EXPECT_EQ(file(),
            "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1000)]\r\n"
            "Top=10\r\nBottom=1040\r\nLeft=0\r\nRight=1920\r\n\r\n");
}

TEST_F(WorkAreaTest, ApplyStoresNothingWhenAnEditIsNotAnInteger) {
  struct Case {
    const char* name;
    EdgeTexts edits;
    bool ctrl;
    std::string message;
  };
  const Case cases[] = {
      // Counted as 0, the top's text lies inside its range and so survives the limit.
      {"top", {u"abc", u"1040", u"0", u"1920"}, false, "'abc' is not a valid integer value"},
      {"empty bottom", {u"1", u"", u"0", u"1920"}, true, "'' is not a valid integer value"},
      {"last one", {u"1", u"1000", u"2", u"-"}, true, "'-' is not a valid integer value"},
      {"fraction", {u"1", u"1000", u"0.5", u"1900"}, false, "'0.5' is not a valid integer value"},
  };
  start({kFullHd});
  const TWorkAreaEdges before{-1, 1041, -1, 1921};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    c.tables.MWorkArea[0] = before;
    EdgeTexts edits = k.edits;
    try {
      applyWorkArea(p, c.tables, longLived, 0, edits, k.ctrl);
      ADD_FAILURE() << "no ConversionError";
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), k.message);
    }
    EXPECT_EQ(c.tables.MWorkArea[0], before);
  }
  EXPECT_EQ(desk.writeCount(), 0);
  EXPECT_FALSE(desk.fileBytes(kFile).has_value());
}

TEST_F(WorkAreaTest, DefaultsAndPresetsStartFromTheSystemWorkArea) {
  struct Case {
    const char* name;
    int n;  // 0: defaults
    bool ctrl;
    TWorkAreaEdges stored;
  };
  const Case cases[] = {
      {"defaults", 0, false, {0, 1040, 0, 1920}},
      {"1 pixel", 1, false, {-1, 1041, -1, 1921}},
      {"9 pixels", 9, false, {-9, 1049, -9, 1929}},
      // The limit holds for presets too: 1040 -> 208, 1920 -> 384.
      {"beyond the limit", 300, false, {-208, 1248, -300, 2220}},
      {"beyond the limit with ctrl", 500, true, {-500, 1540, -500, 2420}},
  };
  start({kFullHd});
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    c.tables.MWorkArea[0] = {7, 7, 7, 7};
    EdgeTexts edits{u"x", u"y", u"z", u"w"};
    if (k.n == 0) {
      applyDefaults(p, c.tables, longLived, 0, edits, k.ctrl);
    } else {
      applyOutset(p, c.tables, longLived, 0, edits, k.ctrl, k.n);
    }
    EXPECT_EQ(c.tables.MWorkArea[0], k.stored);
    EXPECT_EQ(edits, edgeTextsOf(k.stored));
  }
}

TEST_F(WorkAreaTest, BorderWidthByWindowsVersion) {
  struct Case {
    const char* name;
    unsigned major, minor;
    int expected;
    bool nonClient;
  };
  const Case cases[] = {
      {"Vista: SPI_GETBORDER", 6, 0, 3, false},
      {"7: SPI_GETBORDER", 6, 1, 3, false},
      {"8: non-client metrics", 6, 2, 5, true},
      {"10: non-client metrics", 10, 0, 5, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    desk.setVersion(k.major, k.minor);
    desk.setBorder(3);
    desk.setNonClientBorderWidth(5);
    desk.resetCalls();
    EXPECT_EQ(presetBorderWidth(p), k.expected);
    EXPECT_EQ(desk.calls(test::Op::GetNonClientBorderWidth), k.nonClient ? 1u : 0u);
    EXPECT_EQ(desk.calls(test::Op::GetBorder), k.nonClient ? 0u : 1u);
  }
}

TEST_F(WorkAreaTest, SaveWritesEveryMonitorTheSwitchesAndTheWindow) {
  c.geometry.windowHeight = 480;
  c.geometry.windowWidth = 640;
  start({kFullHd});
  c.tables.MWorkArea[0] = {-2, 1042, -2, 1922};
  c.watch.CHKMessage = true;
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  EXPECT_EQ(file(),
            "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)]\r\n"
            "Top=-2\r\nBottom=1042\r\nLeft=-2\r\nRight=1922\r\n\r\n"
            "[Message]\r\nEnabled=1\r\n\r\n"
            "[MAX]\r\nDisable=1\r\n\r\n"
            "[DeskTop]\r\nDisable=0\r\n\r\n"
            "[Window]\r\nHeight=480\r\nWidth=640\r\nGroupBoxE=100\r\n\r\n");
}

TEST_F(WorkAreaTest, SaveKeepsEarlierSectionsAndWritesNegativeCoordinates) {
  const std::string earlier =
      "[#1 (0,0) - (1920,1080) : (0,40) - (1920,1080)]\r\n"
      "Top=45\r\nBottom=1080\r\nLeft=0\r\nRight=1920\r\n\r\n"
      "[Other]\r\nKey=kept\r\n\r\n";
  desk.addFile(kFile, earlier + "[MAX]\r\nDisable=1\r\n\r\n");
  c.geometry.windowHeight = 400;
  c.geometry.windowWidth = 500;
  start({kFullHd, kLeftOf});
  c.switches.TBMAXDisable = false;
  c.switches.TBDisableDeskTop = true;
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  EXPECT_EQ(file(), earlier +
                        "[MAX]\r\nDisable=0\r\n\r\n"
                        "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)]\r\n"
                        "Top=0\r\nBottom=1040\r\nLeft=0\r\nRight=1920\r\n\r\n"
                        "[#2 (-1280,0) - (0,1024) : (-1280,0) - (0,984)]\r\n"
                        "Top=0\r\nBottom=984\r\nLeft=-1280\r\nRight=0\r\n\r\n"
                        "[Message]\r\nEnabled=0\r\n\r\n"
                        "[DeskTop]\r\nDisable=1\r\n\r\n"
                        "[Window]\r\nHeight=400\r\nWidth=500\r\nGroupBoxE=100\r\n\r\n");
}

TEST_F(WorkAreaTest, SettingMovesToTheNewSectionAndTheOldOneComesBack) {
  start({kFullHd});
  EdgeTexts edits{u"5", u"1035", u"5", u"1915"};
  applyWorkArea(p, c.tables, longLived, 0, edits, false);

  // Taskbar to the top: the setting in memory stays and is saved under the new name.
  desk.setWorkArea(desk.monitors()[0].handle, {0, 40, 1920, 1080});
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  start({{0, kFullHd.bounds, {0, 40, 1920, 1080}, true}});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{5, 1035, 5, 1915}));

  edits = {u"40", u"1080", u"0", u"1900"};
  applyWorkArea(p, c.tables, longLived, 0, edits, false);
  // Back to the bottom: the first section applies again.
  start({kFullHd});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{5, 1035, 5, 1915}));
}

// A close while a display change waits for its confirmation: the tables still hold the old
// layout, and the old layout's values must not be filed under the new layout's name.
TEST_F(WorkAreaTest, SaveBeforeTheRebuildKeepsEachEntryUnderItsOwnSection) {
  start({kFullHd});
  c.tables.MWorkArea[0] = {5, 1035, 5, 1915};
  desk.setMonitors({{0, {0, 0, 1280, 1024}, {0, 0, 1280, 1004}, true}});
  longLived.refresh();
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  EXPECT_EQ(file().find("(1280,1024)"), std::string::npos) << file();
  start({kFullHd});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{5, 1035, 5, 1915}));
}

// A display change confirmed at once: the tables are read while the taskbar has not moved
// yet, so the section looked up is not in the file and the system's stale area stands in.
// Saved once the work area has settled, it never replaces the user's section; it goes under
// the section it was read for. An applied entry, the user's, follows the live name.
TEST_F(WorkAreaTest, AStandInNeverReplacesTheUsersSection) {
  const std::string users =
      "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)]\r\n"
      "Top=100\r\nBottom=1040\r\nLeft=0\r\nRight=1920\r\n\r\n";
  desk.addFile(kFile, users);
  FakeMonitor stale = kFullHd;
  stale.work = {0, 0, 1920, 1004};
  start({stale});
  ASSERT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{0, 1004, 0, 1920}));
  desk.setWorkArea(desk.monitors()[0].handle, kFullHd.work);
  longLived.refresh();
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  EXPECT_EQ(file().find(users), 0u) << file();
  EXPECT_NE(file().find("[#1 (0,0) - (1920,1080) : (0,0) - (1920,1004)]"), std::string::npos)
      << file();
  start({kFullHd});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{100, 1040, 0, 1920}));

  start({stale});
  EdgeTexts edits{u"10", u"1004", u"0", u"1920"};
  applyWorkArea(p, c.tables, longLived, 0, edits, false);
  desk.setWorkArea(desk.monitors()[0].handle, kFullHd.work);
  longLived.refresh();
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  start({kFullHd});
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{10, 1004, 0, 1920}));
}

TEST_F(WorkAreaTest, WorkAreasMovedSinceTheTablesWereBuilt) {
  start({kFullHd, kLeftOf});
  EXPECT_FALSE(workAreasMovedSince(p, c.tables));
  desk.setWorkArea(desk.monitors()[1].handle, {-1280, 0, 0, 1000});
  EXPECT_TRUE(workAreasMovedSince(p, c.tables));
  // Other bounds, or another count, are a change of their own, which is announced.
  start({kFullHd, kLeftOf});
  desk.setMonitorBounds(desk.monitors()[1].handle, {-1024, 0, 0, 768});
  EXPECT_FALSE(workAreasMovedSince(p, c.tables));
  desk.setMonitors({kFullHd});
  EXPECT_FALSE(workAreasMovedSince(p, c.tables));
}

TEST_F(WorkAreaTest, UnicodeFileKeepsItsEncoding) {
  // "[Window]\r\nWidth=1\r\n" in UTF-16 LE with a BOM.
  std::string bytes = "\xFF\xFE";
  for (char ch : std::string("[Window]\r\nWidth=1\r\n")) {
    bytes += ch;
    bytes += '\0';
  }
  desk.addFile(kFile, bytes);
  c.geometry.windowWidth = 2;
  start({kFullHd});
  EXPECT_EQ(c.geometry.windowWidth, 1);
  saveWorkAreaFile(p, c.workAreaFile(), longLived);
  const std::string out = file();
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out.substr(0, 4), std::string("\xFF\xFE[\0", 4));
}

TEST_F(WorkAreaTest, WriteFailureRaisesIoErrorAfterStoring) {
  start({kFullHd});
  desk.setWritesFail(true);
  EdgeTexts edits{u"1", u"1039", u"1", u"1919"};
  EXPECT_THROW(applyWorkArea(p, c.tables, longLived, 0, edits, false), IoError);
  EXPECT_EQ(c.tables.MWorkArea[0], (TWorkAreaEdges{1, 1039, 1, 1919}));
  EXPECT_THROW(saveWorkAreaFile(p, c.workAreaFile(), longLived), IoError);
}

}  // namespace
}  // namespace rimfold
