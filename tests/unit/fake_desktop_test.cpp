// The fake desktop's own behaviours, beyond the contract suite it shares with the real one
// (tests/contract): its metrics, parked windows, Z-order, moves and files.
#include "fake/fake_desktop.h"

#include <gtest/gtest.h>

namespace rimfold::test {
namespace {

// Two monitors, the primary second in enumeration order:
//   [-1280,0 .. 0,1024) left   [0,0 .. 1920,1080) primary
struct TwoMonitors : ::testing::Test {
  FakeDesktop d;
  Hmonitor left = 0, main = 0;
  void SetUp() override {
    d.setMonitors({});
    left = d.addMonitor({.bounds = {-1280, 0, 0, 1024}, .work = {-1280, 0, 0, 984}});
    main =
        d.addMonitor({.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true});
  }
};

TEST_F(TwoMonitors, MetricsAndWorkAreaFollowThePrimaryAndTheUnion) {
  TRect work;
  ASSERT_TRUE(d.getWorkArea(work));
  EXPECT_EQ(work, (TRect{0, 0, 1920, 1040}));
  EXPECT_EQ(d.getSystemMetrics(kSmCxScreen), 1920);
  EXPECT_EQ(d.getSystemMetrics(kSmCyScreen), 1080);
  EXPECT_EQ(d.getSystemMetrics(kSmXVirtualScreen), -1280);
  EXPECT_EQ(d.getSystemMetrics(kSmCxVirtualScreen), 3200);
  EXPECT_EQ(d.getSystemMetrics(kSmCyVirtualScreen), 1080);
  EXPECT_EQ(d.getSystemMetrics(kSmCMonitors), 2);
  EXPECT_EQ(d.getSystemMetrics(kSmCxSize), 18);
  EXPECT_EQ(d.getSystemMetrics(kSmCyFrame), 4);
  d.setWorkArea(main, {0, 40, 1920, 1080});
  ASSERT_TRUE(d.getWorkArea(work));
  EXPECT_EQ(work.Top, 40);
}

TEST(FakeDesktop, MinimizedWindowReportsParkedRectButKeepsItsMonitor) {
  FakeDesktop d;
  const Hwnd w = d.addWindow({.rect = {100, 100, 500, 400}, .iconic = true});
  TRect r;
  ASSERT_TRUE(d.getWindowRect(w, r));
  EXPECT_EQ(r.Left, kParkedCoordinate);
  EXPECT_EQ(r.Top, kParkedCoordinate);
  EXPECT_NE(d.monitorFromWindow(w, MonitorDefault::Null), 0u);
  EXPECT_TRUE(d.getStyle(w) & 0x20000000u);  // WS_MINIMIZE
}

TEST(FakeDesktop, ZOrderKeepsTopmostBandAndEnumSkipsChildren) {
  FakeDesktop d;
  const Hwnd a = d.addWindow({});
  const Hwnd t = d.addWindow({.exStyle = kWsExTopmost});
  const Hwnd b = d.addWindow({});  // new windows go on top of their band
  d.addWindow({.parent = b});
  const Hwnd bottom = d.addWindow({.placeAtBottom = true});
  std::vector<Hwnd> seen;
  d.enumWindows([&](Hwnd h) {
    seen.push_back(h);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<Hwnd>{t, b, a, bottom}));
  ASSERT_TRUE(d.bringWindowToTop(a));
  EXPECT_EQ(d.zOrder(), (std::vector<Hwnd>{t, a, b, bottom}));
}

TEST(FakeDesktop, EnumerationSkipsWindowsDestroyedDuringIt) {
  FakeDesktop d;
  const Hwnd c = d.addWindow({});
  const Hwnd b = d.addWindow({});
  const Hwnd a = d.addWindow({});
  std::vector<Hwnd> seen;
  d.enumWindows([&](Hwnd h) {
    seen.push_back(h);
    if (h == a) d.destroyWindow(b);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<Hwnd>{a, c}));
}

TEST(FakeDesktop, WindowFromPointFindsChildrenAboveParentsAndFallsBackToDesktop) {
  FakeDesktop d;
  const Hwnd back = d.addWindow({.rect = {0, 0, 800, 600}});
  const Hwnd front = d.addWindow({.rect = {100, 100, 300, 300}});
  const Hwnd child = d.addWindow({.rect = {150, 150, 200, 200}, .parent = front});
  d.addWindow({.rect = {120, 120, 140, 140}, .parent = front, .enabled = false});
  d.addWindow({.rect = {0, 0, 800, 600}, .visible = false});
  struct Case {
    TPoint p;
    Hwnd expected;
  } cases[] = {{{160, 160}, child},
               {{130, 130}, front},
               {{300, 300}, back},
               {{50, 50}, back},
               {{900, 50}, FakeDesktop::kDesktopHwnd}};
  for (const auto& c : cases) EXPECT_EQ(d.windowFromPoint(c.p), c.expected);
}

TEST(FakeDesktop, MoveBehaviours) {
  FakeDesktop d;
  const WindowBox box{10, 20, 300, 200};
  struct Case {
    FakeWindow w;
    bool result;
    bool exists;
    TRect after;
  } cases[] = {
      {{.rect = {0, 0, 50, 50}}, true, true, {10, 20, 310, 220}},
      {{.rect = {0, 0, 50, 50}, .refusesMoves = true}, true, true, {0, 0, 50, 50}},
      {{.rect = {0, 0, 50, 50}, .minWidth = 400}, true, true, {10, 20, 410, 220}},
      {{.rect = {0, 0, 50, 50}, .moveOffset = {5, -5}}, true, true, {15, 15, 315, 215}},
      {{.rect = {0, 0, 50, 50}, .vanishOnMove = true}, false, false, {}},
  };
  for (const auto& c : cases) {
    const Hwnd w = d.addWindow(c.w);
    EXPECT_EQ(d.moveWindow(w, box, true), c.result);
    EXPECT_EQ(d.exists(w), c.exists);
    if (c.exists) {
      EXPECT_EQ(d.rectOf(w), c.after);
    }
  }
}

TEST(FakeDesktop, WindowVanishesAfterItsCallBudget) {
  FakeDesktop d;
  const Hwnd w = d.addWindow({.vanishAfterCalls = 2});
  EXPECT_TRUE(d.isWindowVisible(w));
  EXPECT_TRUE(d.isWindowEnabled(w));
  TRect r;
  EXPECT_FALSE(d.getWindowRect(w, r));
  EXPECT_FALSE(d.exists(w));
}

TEST(FakeDesktop, ForegroundLockHonoursAttachmentAndZeroTimeout) {
  FakeDesktop d;
  const Hwnd fg = d.addWindow({.threadId = 10});
  const Hwnd w = d.addWindow({.threadId = 20});
  d.setForeground(fg);
  d.setForegroundLocked(true);
  d.setLockTimeoutValue(200000);
  EXPECT_FALSE(d.setForegroundWindow(w));
  ASSERT_TRUE(d.attachThreadInput(20, 10, true));
  EXPECT_TRUE(d.setForegroundWindow(w));
  EXPECT_TRUE(d.attachThreadInput(20, 10, false));
  d.setForeground(fg);
  EXPECT_FALSE(d.setForegroundWindow(w));
  d.setLockTimeoutValue(0);
  EXPECT_TRUE(d.setForegroundWindow(w));
  EXPECT_EQ(d.getForegroundWindow(), w);
  EXPECT_FALSE(d.attachThreadInput(5, 5, true));  // a thread cannot attach to itself
}

TEST(FakeDesktop, CallsAreCountedPerOperation) {
  FakeDesktop d;
  const Hwnd w = d.addWindow({});
  TRect r;
  d.getWindowRect(w, r);
  d.getWindowRect(w, r);
  d.isWindowVisible(w);
  EXPECT_EQ(d.calls(Op::GetWindowRect), 2u);
  EXPECT_EQ(d.calls(Op::IsWindowVisible), 1u);
  EXPECT_EQ(d.totalCalls(), 3u);
  d.resetCalls();
  EXPECT_EQ(d.totalCalls(), 0u);
  EXPECT_EQ(d.calls(Op::GetWindowRect), 0u);
}

TEST(FakeDesktop, CodePageIsWindows1252) {
  FakeDesktop d;
  EXPECT_EQ(d.ansiToUtf16("A\x80\xE9\x9F\x81"), u"A\u20AC\u00E9\u0178\u0081");
  EXPECT_EQ(d.utf16ToAnsi(u"A\u20AC\u00E9\u3042"), "A\x80\xE9?");
}

TEST(FakeDesktop, FileSystemIsCaseInsensitiveAndKeepsSpelling) {
  FakeDesktop d;
  d.addFile(u"C:\\Program Files\\App\\Tool.exe", "x");
  d.addShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
  EXPECT_TRUE(d.fileExists(u"c:\\program files\\app\\TOOL.EXE"));
  EXPECT_TRUE(d.fileExists(u"C:\\PROGRA~1\\App\\Tool.exe"));
  EXPECT_EQ(d.findFileName(u"C:\\PROGRA~1"), u"Program Files");
  EXPECT_EQ(d.findFileName(u"c:\\program files\\app\\tool.exe"), u"Tool.exe");
  EXPECT_EQ(d.findFileName(u"C:\\nothing"), std::nullopt);
  EXPECT_EQ(d.getFullPathName(u"C:\\a\\.\\b\\..\\c"), u"C:\\a\\c");
  EXPECT_FALSE(d.createDirectory(u"C:\\x\\y"));  // one level at a time
  EXPECT_TRUE(d.createDirectory(u"C:\\x"));
  EXPECT_TRUE(d.directoryExists(u"C:\\X\\"));
  d.setDrive(u'E', {u"\\Device\\CdRom0", false});
  EXPECT_FALSE(d.fileExists(u"E:\\a.txt"));
  EXPECT_EQ(d.diskPrompts(), 1);
  EXPECT_EQ(d.getLogicalDrives(), (1u << 2) | (1u << 4));
}

}  // namespace
}  // namespace rimfold::test
