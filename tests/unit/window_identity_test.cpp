#include "settings/window_keys.h"
#include "engine/process_path.h"
#include "engine/window_predicates.h"
#include "engine/window_ops.h"

#include "engine/window_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fake/fake_desktop.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakeProcess;
using test::FakeWindow;
using test::Op;

// Two monitors with the primary second:  [-1280,0 .. 0,1024)  [0,0 .. 1920,1080)
struct Identity : ::testing::Test {
  FakeDesktop d;
  Platform p = d.platform();
  void SetUp() override {
    d.setMonitors({{.bounds = {-1280, 0, 0, 1024}},
                   {.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true}});
  }
};

TEST_F(Identity, CandidateTest) {
  struct Case {
    const char* name;
    FakeWindow w;
    bool offScreenTest;
    bool expected;
  } cases[] = {
      {"normal", {}, false, true},
      {"empty title", {.title = u""}, false, false},
      {"Program Manager", {.title = u"Program Manager"}, false, false},
      {"other case of it", {.title = u"program manager"}, false, true},
      {"invisible", {.visible = false}, false, false},
      {"minimized", {.iconic = true}, false, false},
      {"off-screen, test off", {.rect = {3000, 0, 3400, 300}}, false, true},
      {"off-screen, test on", {.rect = {3000, 0, 3400, 300}}, true, false},
      {"off-screen maximized", {.rect = {3000, 0, 3400, 300}, .zoomed = true}, true, true},
      {"on the left monitor", {.rect = {-900, 100, -500, 400}}, true, true},
  };
  for (const auto& c : cases) {
    WindowFacts f(p, d.addWindow(c.w));
    EXPECT_EQ(Func_IsTargetWindow(f, c.offScreenTest), c.expected) << c.name;
  }
  WindowFacts none(p, 0);
  EXPECT_FALSE(Func_IsTargetWindow(none, false));
}

TEST_F(Identity, OffAllMonitorsTakesFivePointsWithExclusiveEdges) {
  struct Case {
    const char* name;
    WindowBox box;
    bool off;
  } cases[] = {
      {"inside", {100, 100, 200, 200}, false},
      {"top-left on the right edge of the rightmost", {1920, 500, 300, 200}, true},
      {"top-left one pixel inside", {1919, 500, 300, 200}, false},
      {"only the bottom-right corner inside", {-100, -100, 101, 101}, false},
      {"bottom corners reach the monitors' top row", {-100, -300, 100, 300}, false},
      {"one pixel short of it", {-100, -300, 100, 299}, true},
      {"below both monitors", {-500, 1080, 300, 100}, true},
      {"top-left on the left monitor's bottom edge", {-500, 1024, 300, 100}, true},
      {"only the centre on a monitor", {-1400, -100, 1500, 1300}, false},
      // centre x = 1 + (-3 / 2) = 0 lies on main; rounding down would give -1, off both
      {"negative width: centre truncates toward zero", {1, -10, -3, 2100}, false},
      {"left of everything", {-2000, 0, 500, 500}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(Func_OffAllMonitors(p, c.box), c.off) << c.name;
}

TEST_F(Identity, OffAllMonitorsAsksAtMostFivePoints) {
  Func_OffAllMonitors(p, {5000, 5000, 10, 10});
  EXPECT_EQ(d.calls(Op::MonitorFromPoint), 5u);
  d.resetCalls();
  Func_OffAllMonitors(p, {10, 10, 10, 10});
  EXPECT_EQ(d.calls(Op::MonitorFromPoint), 1u);
}

TEST_F(Identity, WindowRectRejectsParkedWindowsAndLeavesOutputsOnFailure) {
  const Hwnd normal = d.addWindow({.rect = {10, 20, 110, 70}});
  const Hwnd parked = d.addWindow({.iconic = true});
  WindowBox box{1, 2, 3, 4};
  ASSERT_TRUE(Func_WindowBounds(p, normal, box));
  EXPECT_EQ(box, (WindowBox{10, 20, 100, 50}));
  box = {1, 2, 3, 4};
  EXPECT_FALSE(Func_WindowBounds(p, parked, box));
  EXPECT_FALSE(Func_WindowBounds(p, 0xDEAD, box));
  EXPECT_EQ(box, (WindowBox{1, 2, 3, 4}));
  // Only both coordinates parked count: a window at x = -32000 alone is usable.
  const Hwnd farLeft = d.addWindow({.rect = {kParkedCoordinate, 0, -31000, 100}});
  TRect r;
  EXPECT_TRUE(Func_WindowRect(p, farLeft, r));
}

TEST_F(Identity, ModernBareAndTopmost) {
  const Hwnd frame = d.addWindow({.className = u"ApplicationFrameWindow"});
  const Hwnd frameWithCore = d.addWindow({.className = u"ApplicationFrameWindow"});
  d.addWindow({.className = u"Windows.UI.Core.CoreWindow", .parent = frameWithCore});
  EXPECT_TRUE(Func_IsModernAppWindow(p, frame, u"ApplicationFrameWindow"));
  EXPECT_FALSE(Func_IsModernAppWindow(p, frameWithCore, u"ApplicationFrameWindow"));
  EXPECT_TRUE(Func_IsModernAppWindow(p, frame, u"Windows.UI.Core.CoreWindow"));
  EXPECT_FALSE(Func_IsModernAppWindow(p, frame, u"windows.ui.core.corewindow"));
  EXPECT_FALSE(Func_IsModernAppWindow(p, frame, u"Notepad"));

  struct Case {
    std::uint32_t style;
    bool bare;
  } styles[] = {{kWsPopup | kWsVisible, true},
                {0, true},
                {kWsPopup | kWsVisible | kWsMaximize | kWsDisabled, true},
                {kWsPopup | 0x1u, false},  // a class-specific style bit
                {kWsPopup | kWsThickFrame, false},
                {kWsOverlappedWindow, false}};
  for (const auto& c : styles) {
    WindowFacts f(p, d.addWindow({.style = c.style, .styleAsGiven = true}));
    EXPECT_EQ(Func_IsBareStyle(f), c.bare) << std::hex << c.style;
  }
  EXPECT_TRUE(Func_IsTopmost(p, d.addWindow({.exStyle = kWsExTopmost | kWsExToolWindow})));
  EXPECT_FALSE(Func_IsTopmost(p, d.addWindow({.exStyle = kWsExToolWindow})));
}

TEST_F(Identity, Ancestors) {
  const Hwnd top = d.addWindow({.style = kWsOverlappedWindow});
  const Hwnd captioned = d.addWindow({.style = kWsCaption, .parent = top});
  const Hwnd plain = d.addWindow({.style = 0, .parent = captioned});
  const Hwnd hiddenCaption = d.addWindow({.style = kWsCaption, .parent = plain, .visible = false});
  EXPECT_EQ(Func_RootAncestor(p, hiddenCaption), top);
  EXPECT_EQ(Func_RootAncestor(p, top), top);
  EXPECT_EQ(Func_CaptionAncestor(p, hiddenCaption), captioned);
  EXPECT_EQ(Func_CaptionAncestor(p, plain), captioned);
  EXPECT_EQ(Func_CaptionAncestor(p, top), top);
}

TEST_F(Identity, CountAndWindowUnderCursor) {
  const Hwnd a = d.addWindow({.rect = {0, 0, 100, 100}, .visible = false});
  const Hwnd b = d.addWindow({.rect = {50, 50, 150, 150}});
  d.addWindow({.rect = {60, 60, 70, 70}, .parent = b});
  std::vector<Hwnd> seen{b, b, b};  // left from an earlier count
  EXPECT_EQ(Func_CountTopWindows(p, seen), 2);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_NE(std::find(seen.begin(), seen.end(), a), seen.end());
  d.setCursorPos({10, 10});
  EXPECT_EQ(Func_WindowUnderCursor(p), FakeDesktop::kDesktopHwnd);  // a is hidden
  d.setCursorPos({100, 100});
  EXPECT_EQ(Func_WindowUnderCursor(p), b);
  (void)a;
}

TEST_F(Identity, ForceForegroundPaths) {
  struct Case {
    const char* name;
    bool alreadyForeground, locked, attachFails;
    std::uint32_t majorVersion;
    bool expected;
    std::size_t attachCalls;
    std::vector<std::uint32_t> timeoutSets;
  } cases[] = {
      {"already in front", true, true, false, 10, true, 0, {}},
      {"attach succeeds", false, true, false, 10, true, 2, {}},
      {"attach fails: time-out lowered and restored", false, true, true, 10, true, 1, {0, 200000}},
      {"NT 4: no attach, no time-out", false, false, false, 4, true, 0, {}},
      {"NT 4 with the lock in force fails", false, true, false, 4, false, 0, {}},
  };
  for (const auto& c : cases) {
    FakeDesktop desk;
    Platform pl = desk.platform();
    const Hwnd fg = desk.addWindow({.threadId = 10});
    const Hwnd w = desk.addWindow({.threadId = 20});
    desk.setForeground(c.alreadyForeground ? w : fg);
    desk.setForegroundLocked(c.locked);
    desk.setAttachFails(c.attachFails);
    desk.setLockTimeoutValue(200000);
    desk.setVersion(c.majorVersion, 0);
    EXPECT_EQ(Func_ForceForeground(pl, w), c.expected) << c.name;
    EXPECT_EQ(desk.attachLog().size(), c.attachCalls) << c.name;
    if (c.attachCalls >= 1) {
      EXPECT_EQ(desk.attachLog()[0], (test::AttachCall{20, 10, true})) << c.name;
    }
    if (c.attachCalls == 2) {
      EXPECT_EQ(desk.attachLog()[1], (test::AttachCall{20, 10, false})) << c.name;
    }
    EXPECT_EQ(desk.lockTimeoutSets(), c.timeoutSets) << c.name;
    EXPECT_EQ(desk.foregroundLockTimeout(), 200000u) << c.name;
  }
}

TEST(WindowText, TrimAndExeName) {
  struct Trim {
    std::u16string in, out;
  } trims[] = {{u"Title  ", u"Title"},
               {u"Title\t\r\n\x01", u"Title"},
               {u"  lead kept", u"  lead kept"},
               {u"   ", u""},
               {u"A\u3000", u"A\u3000"}};  // an ideographic space is not a blank here
  for (const auto& t : trims) EXPECT_EQ(trimWindowText(t.in), t.out);

  struct Exe {
    std::u16string path, name;
  } exes[] = {{u"C:\\Windows\\notepad.exe", u"NOTEPAD.EXE"},
              {u"C:notepad.exe", u"NOTEPAD.EXE"},
              {u"\\Device\\HarddiskVolume2\\x\\caf\u00e9.exe", u"CAF\u00e9.EXE"},
              {u"plain.exe", u"PLAIN.EXE"},
              {u"C:\\dir\\", u""},
              {u"", u""}};
  for (const auto& e : exes) EXPECT_EQ(exeNameOf(e.path), e.name);
}

TEST(WindowText, Keys) {
  struct Case {
    WindowIdentity id;
    std::u16string program, cls, window;
  } cases[] = {
      {{u"a, b", u"Cls", u"C:\\x\\app.exe"}, u"APP.EXE,", u"APP.EXE,Cls,", u"APP.EXE,Cls,a, b"},
      {{u"", u"", u""}, u",", u",,", u",,"},
      {{u"T", u"C", u""}, u",", u",C,", u",C,T"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(programKey(c.id), c.program);
    EXPECT_EQ(classKey(c.id), c.cls);
    EXPECT_EQ(windowKey(c.id), c.window);
  }
}

TEST_F(Identity, DevicePathTranslation) {
  d.setDrive(u'D', {u"\\Device\\HarddiskVolume1", true});  // C: keeps Volume1 too; C wins
  d.setDrive(u'Z', {u"\\Device\\HarddiskVolume10", true});
  struct Case {
    std::u16string device, expected;
  } cases[] = {
      {u"\\Device\\HarddiskVolume1\\a\\b.exe", u"C:\\a\\b.exe"},
      {u"\\Device\\HarddiskVolume10\\b.exe", u"Z:\\b.exe"},  // Volume1 is no prefix here
      {u"\\Device\\HarddiskVolume1", u"\\Device\\HarddiskVolume1"},
      {u"\\Device\\Mup\\server\\x.exe", u"\\Device\\Mup\\server\\x.exe"},
      {u"\\device\\harddiskvolume1\\x.exe", u"\\device\\harddiskvolume1\\x.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(translateDevicePath(p, c.device), c.expected);
}

TEST_F(Identity, ProcessImagePathClosesTheHandleOnEveryPath) {
  d.setProcess(1, {.moduleFileName = u"C:\\app\\one.exe"});
  d.setProcess(2, {.imageFileName = u"\\Device\\HarddiskVolume1\\app\\two.exe"});
  d.setProcess(3, {.openFails = true});
  d.setProcess(4, {});
  struct Case {
    std::uint32_t pid;
    std::u16string expected;
  } cases[] = {{1, u"C:\\app\\one.exe"}, {2, u"C:\\app\\two.exe"}, {3, u""}, {4, u""}, {99, u""}};
  for (const auto& c : cases) {
    d.resetCalls();
    EXPECT_EQ(Func_ProcessImagePath(p, c.pid), c.expected) << c.pid;
    EXPECT_EQ(d.openHandleCount(), 0) << c.pid;
    EXPECT_EQ(d.calls(Op::CloseHandle), 1u) << c.pid;
  }
  for (auto access : d.openProcessAccessLog()) EXPECT_EQ(access, 0x0410u);
}

TEST_F(Identity, IdentityTrimsAndTakesTheLongPath) {
  d.addFile(u"C:\\Program Files\\Some App\\Tool.exe", "MZ");
  d.addShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
  d.addShortName(u"C:\\Program Files\\SOMEAP~1", u"C:\\Program Files\\Some App");
  d.setProcess(7, {.moduleFileName = u"c:\\progra~1\\someap~1\\TOOL.EXE"});
  d.setProcess(8, {.moduleFileName = u"C:\\gone\\missing.exe"});
  const Hwnd w =
      d.addWindow({.title = u"Tool - a, b \r\n", .className = u"ToolClass ", .processId = 7});
  const WindowIdentity id = WindowFacts(p, w).identity();
  EXPECT_EQ(id.Title, u"Tool - a, b");
  EXPECT_EQ(id.ClassName, u"ToolClass");
  EXPECT_EQ(id.ImagePath, u"c:\\Program Files\\Some App\\Tool.exe");
  // A path whose file does not exist is kept as reported.
  const Hwnd m = d.addWindow({.processId = 8});
  EXPECT_EQ(WindowFacts(p, m).identity().ImagePath, u"C:\\gone\\missing.exe");
}

TEST_F(Identity, IdentityEarlyOut) {
  d.setProcess(7, {.moduleFileName = u"C:\\app.exe"});
  struct Case {
    const char* name;
    FakeWindow w;
  } cases[] = {{"invisible", {.processId = 7, .visible = false}},
               {"no title", {.title = u"", .processId = 7}}};
  for (const auto& c : cases) {
    const Hwnd w = d.addWindow(c.w);
    d.resetCalls();
    const WindowIdentity id = WindowFacts(p, w).identity();
    EXPECT_TRUE(id.Title.empty() && id.ClassName.empty() && id.ImagePath.empty()) << c.name;
    EXPECT_EQ(d.calls(Op::OpenProcess), 0u) << c.name;
  }
  EXPECT_TRUE(WindowFacts(p, 0).identity().ClassName.empty());
}

TEST_F(Identity, CenterLostWindow) {
  struct Case {
    const char* name;
    FakeWindow w;
    TaskbarEdge edge;
    TRect bar;
    TRect expected;
  } cases[] = {
      // work area 0,0,1920,1040 plus a 40 px bottom taskbar: centred in 1920 x 1080
      {"lost, bottom taskbar",
       {.rect = {4000, 0, 4400, 300}},
       TaskbarEdge::Bottom,
       {0, 1040, 1920, 1080},
       {760, 390, 1160, 690}},
      {"lost, right taskbar",
       {.rect = {4000, 0, 4400, 300}},
       TaskbarEdge::Right,
       {1860, 0, 1920, 1040},
       {790, 370, 1190, 670}},
      {"lost, top taskbar",
       {.rect = {4000, 0, 4400, 300}},
       TaskbarEdge::Top,
       {0, 0, 1920, 40},
       {760, 370, 1160, 670}},
      {"on screen",
       {.rect = {100, 100, 500, 400}},
       TaskbarEdge::Bottom,
       {0, 1040, 1920, 1080},
       {100, 100, 500, 400}},
      {"maximized",
       {.rect = {4000, 0, 4400, 300}, .zoomed = true},
       TaskbarEdge::Bottom,
       {0, 1040, 1920, 1080},
       {4000, 0, 4400, 300}},
  };
  for (const auto& c : cases) {
    d.setTaskbar(c.edge, c.bar);
    const Hwnd w = d.addWindow(c.w);
    Proc_CenterLostWindow(p, w);
    EXPECT_EQ(d.rectOf(w), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace rimfold
