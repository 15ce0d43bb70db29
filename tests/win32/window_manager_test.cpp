// What the fake desktop copies from user32, pinned on the real thing: monitors on their
// exclusive edges, the shell desktop's work area, parked minimized windows, Z-order of
// the enumeration, the 260-unit text buffer and the window state queries.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/win32_window_manager.h"
#include "platform/win32/win32_input.h"
#include "win32/test_window.h"

namespace rimfold::win32::test {
namespace {

// A window on a thread of its own that can stop taking messages, as a busy program does.
class ThreadWindow {
 public:
  ThreadWindow() : thread_([this] { run(); }) {
    while (hwnd_.load() == nullptr) ::Sleep(1);
  }
  ~ThreadWindow() {
    resume();
    quit_ = true;
    thread_.join();
  }
  Hwnd handle() const { return fromHwnd(hwnd_.load()); }
  void hang() { hung_ = true; ::Sleep(100); }  // past the pump's current round
  void resume() {
    hung_ = false;
    ::SetEvent(wake_.get());
  }

 private:
  void run() {
    OwnWindow w;
    hwnd_ = w.hwnd();
    while (!quit_) {
      if (hung_) ::WaitForSingleObject(wake_.get(), INFINITE);
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      pumpMessages();
    }
  }

  UniqueHandle wake_{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<bool> hung_{false};
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

constexpr TRect kScreen{0, 0, 1920, 1080};
constexpr TRect kShellWorkArea{0, 0, 1920, 1060};

class WindowManagerTest : public testing::Test {
 protected:
  Hmonitor onlyMonitor() {
    std::vector<Hmonitor> monitors;
    windows.enumDisplayMonitors(monitors);
    // A second enumeration replaces the list rather than adding to it.
    windows.enumDisplayMonitors(monitors);
    EXPECT_EQ(monitors.size(), 1u) << "the shell desktop has one monitor";
    return monitors.empty() ? 0 : monitors.front();
  }
  std::vector<Hwnd> zOrder() {
    std::vector<Hwnd> all;
    windows.enumWindows([&](Hwnd w) {
      all.push_back(w);
      return true;
    });
    return all;
  }
  static std::ptrdiff_t indexIn(const std::vector<Hwnd>& list, Hwnd w) {
    auto it = std::find(list.begin(), list.end(), w);
    return it == list.end() ? -1 : it - list.begin();
  }

  Win32WindowManager windows;
  Win32Input input;
};

TEST_F(WindowManagerTest, MonitorBoundsAndWorkAreaOfTheShellDesktop) {
  Hmonitor m = onlyMonitor();
  MonitorInfo info;
  ASSERT_TRUE(windows.getMonitorInfo(m, info));
  EXPECT_EQ(info.bounds, kScreen);
  EXPECT_EQ(info.work, kShellWorkArea);
  EXPECT_TRUE(info.primary);
  TRect work;
  ASSERT_TRUE(input.getWorkArea(work));
  EXPECT_EQ(work, kShellWorkArea);
}

// Wine has no window manager (its dwmapi answers E_NOTIMPL): no visible frame, no cloak, so
// the engine falls back to the rectangle. Windows 10 answers both; the dwm10 desktop
// flavour stands in for it.
TEST_F(WindowManagerTest, NoVisibleFrameOrCloakWithoutAWindowManager) {
  OwnWindow w;
  TRect frame{1, 2, 3, 4};
  EXPECT_FALSE(windows.getVisibleFrame(fromHwnd(w.hwnd()), frame));
  EXPECT_EQ(frame, (TRect{1, 2, 3, 4}));
  EXPECT_FALSE(windows.isCloaked(fromHwnd(w.hwnd())));
}

TEST_F(WindowManagerTest, MonitorFromPointTreatsRightAndBottomEdgesAsOutside) {
  struct Case {
    TPoint point;
    MonitorDefault fallback;
    bool onMonitor;
  };
  const Case cases[] = {
      {{0, 0}, MonitorDefault::Null, true},
      {{1919, 1079}, MonitorDefault::Null, true},  // last pixel inside
      {{960, 540}, MonitorDefault::Null, true},
      {{1920, 500}, MonitorDefault::Null, false},  // on the right edge
      {{500, 1080}, MonitorDefault::Null, false},  // on the bottom edge
      {{1920, 1080}, MonitorDefault::Null, false},
      {{-1, 0}, MonitorDefault::Null, false},
      {{0, -1}, MonitorDefault::Null, false},
      {{9000, 9000}, MonitorDefault::Null, false},
      {{9000, 9000}, MonitorDefault::Nearest, true},  // far away: the nearest one
      {{-9000, 500}, MonitorDefault::Nearest, true},
      {{1920, 500}, MonitorDefault::Nearest, true},
  };
  Hmonitor m = onlyMonitor();
  ASSERT_NE(m, 0u);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "point " << c.point.X << "," << c.point.Y
                                    << (c.fallback == MonitorDefault::Null ? " null" : " nearest"));
    EXPECT_EQ(windows.monitorFromPoint(c.point, c.fallback), c.onMonitor ? m : 0u);
  }
}

TEST_F(WindowManagerTest, MonitorFromWindowOfAGoneWindowFollowsTheFallback) {
  Hmonitor m = onlyMonitor();
  Hwnd gone;
  {
    OwnWindow w;
    gone = w.handle();
    EXPECT_EQ(windows.monitorFromWindow(gone, MonitorDefault::Null), m);
  }
  EXPECT_EQ(windows.monitorFromWindow(gone, MonitorDefault::Null), 0u);
  EXPECT_EQ(windows.monitorFromWindow(gone, MonitorDefault::Nearest), m);
}

TEST_F(WindowManagerTest, WindowStatesAndRectangles) {
  struct Case {
    const char* name;
    int show;
    bool visible, iconic, zoomed;
  };
  const Case cases[] = {
      {"hidden", -1, false, false, false},
      {"normal", SW_SHOWNORMAL, true, false, false},
      {"minimized", SW_SHOWMINIMIZED, true, true, false},
      {"maximized", SW_SHOWMAXIMIZED, true, false, true},
  };
  const RECT placed{150, 120, 650, 520};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OwnWindowDesc desc;
    desc.rect = placed;
    desc.show = c.show;
    OwnWindow w(desc);
    ASSERT_TRUE(w.hwnd());
    EXPECT_EQ(windows.isWindowVisible(w.handle()), c.visible);
    EXPECT_EQ(windows.isIconic(w.handle()), c.iconic);
    EXPECT_EQ(windows.isZoomed(w.handle()), c.zoomed);
    EXPECT_EQ((windows.getStyle(w.handle()) & kWsVisible) != 0, c.visible);
    EXPECT_EQ((windows.getStyle(w.handle()) & kWsMaximize) != 0, c.zoomed);
    TRect r;
    ASSERT_TRUE(windows.getWindowRect(w.handle(), r));
    if (c.iconic) {
      // Parked, with the size of a minimized caption bar (SM_CXMINIMIZED x SM_CYMINIMIZED).
      EXPECT_EQ(r, (TRect{kParkedCoordinate, kParkedCoordinate, kParkedCoordinate + 160,
                          kParkedCoordinate + 24}));
    } else if (c.zoomed) {
      EXPECT_EQ(r, (TRect{-4, -4, 1924, 1064}));  // the frame hangs over the work area
    } else {
      EXPECT_EQ(r, fromRect(placed));
    }
  }
}

TEST_F(WindowManagerTest, DisabledWindowReportsItInStateAndStyle) {
  OwnWindow w;
  EXPECT_TRUE(windows.isWindowEnabled(w.handle()));
  EXPECT_EQ(windows.getStyle(w.handle()) & kWsDisabled, 0u);
  ::EnableWindow(w.hwnd(), FALSE);
  EXPECT_FALSE(windows.isWindowEnabled(w.handle()));
  EXPECT_NE(windows.getStyle(w.handle()) & kWsDisabled, 0u);
}

TEST_F(WindowManagerTest, EnumWindowsReportsTopmostFirstThenZOrder) {
  OwnWindow bottom(OwnWindowDesc{.title = L"z bottom"});
  OwnWindow middle(OwnWindowDesc{.title = L"z middle"});
  OwnWindowDesc topmostDesc{.title = L"z topmost"};
  topmostDesc.exStyle = WS_EX_TOPMOST;
  OwnWindow topmost(topmostDesc);
  OwnWindow hidden(OwnWindowDesc{.title = L"z hidden", .show = -1});

  std::vector<Hwnd> order = zOrder();
  EXPECT_LT(indexIn(order, topmost.handle()), indexIn(order, middle.handle()));
  EXPECT_LT(indexIn(order, middle.handle()), indexIn(order, bottom.handle()));
  EXPECT_GE(indexIn(order, hidden.handle()), 0) << "hidden windows are enumerated too";
  EXPECT_NE(windows.getExStyle(topmost.handle()) & kWsExTopmost, 0u);

  // Raising the bottom one puts it above the other normal window, still below topmost.
  ::SetWindowPos(bottom.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  order = zOrder();
  EXPECT_LT(indexIn(order, topmost.handle()), indexIn(order, bottom.handle()));
  EXPECT_LT(indexIn(order, bottom.handle()), indexIn(order, middle.handle()));
}

TEST_F(WindowManagerTest, EnumWindowsStopsWhenTheCallbackSaysSo) {
  OwnWindow a, b;
  int visited = 0;
  windows.enumWindows([&](Hwnd) { return ++visited < 2; });
  EXPECT_EQ(visited, 2);
}

TEST_F(WindowManagerTest, EnumWindowsPassesAnExceptionOnAfterTheCall) {
  OwnWindow a;
  EXPECT_THROW(windows.enumWindows([](Hwnd) -> bool { throw std::runtime_error("callback"); }),
               std::runtime_error);
}

TEST_F(WindowManagerTest, TextIsReadThroughA260UnitBuffer) {
  struct Case {
    std::size_t length;
    std::size_t read;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {258, 258}, {259, 259}, {260, 259}, {300, 259}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "title of " << c.length);
    std::wstring title;
    for (std::size_t i = 0; i < c.length; ++i) title += static_cast<wchar_t>(L'A' + i % 26);
    OwnWindow w(OwnWindowDesc{.title = title});
    EXPECT_EQ(windows.getWindowTextLength(w.handle()), static_cast<int>(c.length));
    std::u16string text = windows.getWindowText(w.handle());
    EXPECT_EQ(text.size(), c.read);
    EXPECT_EQ(text, fromWide(title).substr(0, c.read));
    EXPECT_EQ(windows.getClassName(w.handle()), fromWide(kOwnWindowClass));
  }
}

TEST_F(WindowManagerTest, TextKeepsNonAsciiUnits) {
  const std::wstring title = L"\u65e5\u672c\u8a9e \U0001F600 caf\u00e9";
  OwnWindow w(OwnWindowDesc{.title = title});
  EXPECT_EQ(windows.getWindowText(w.handle()), fromWide(title));
}

TEST_F(WindowManagerTest, QueriesOfAGoneWindowFail) {
  Hwnd gone;
  { gone = OwnWindow().handle(); }
  TRect r{1, 2, 3, 4};
  EXPECT_FALSE(windows.getWindowRect(gone, r));
  EXPECT_EQ(r, (TRect{1, 2, 3, 4}));
  EXPECT_FALSE(windows.isWindowVisible(gone));
  EXPECT_EQ(windows.getWindowTextLength(gone), 0);
  EXPECT_EQ(windows.getWindowText(gone), u"");
  EXPECT_EQ(windows.getClassName(gone), u"");
  EXPECT_EQ(windows.getWindowThreadProcessId(gone, nullptr), 0u);
  EXPECT_FALSE(windows.moveWindow(gone, WindowBox{0, 0, 100, 100}, true));
}

TEST_F(WindowManagerTest, MoveWindowTakesLeftTopWidthHeight) {
  OwnWindow w;
  const WindowBox boxes[] = {{10, 20, 300, 200}, {-50, 900, 640, 400}, {1800, -10, 500, 300}};
  for (const WindowBox& box : boxes) {
    ASSERT_TRUE(windows.moveWindow(w.handle(), box, true));
    TRect r;
    ASSERT_TRUE(windows.getWindowRect(w.handle(), r));
    EXPECT_EQ(r, (TRect{box.Left, box.Top, box.Left + box.Width, box.Top + box.Height}));
  }
}

TEST_F(WindowManagerTest, ChildWindowsParentsAndPointQueries) {
  OwnWindow parent(OwnWindowDesc{.rect = {200, 200, 800, 700}});
  ASSERT_TRUE(::SetWindowPos(parent.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
  // Not a static control: those are transparent to hit testing.
  HWND child = ::CreateWindowExW(0, kOwnWindowClass, L"child", WS_CHILD | WS_VISIBLE, 10, 10,
                                 100, 50, parent.hwnd(), nullptr, ::GetModuleHandleW(nullptr),
                                 nullptr);
  ASSERT_TRUE(child);
  pumpMessages();
  POINT inChild{20, 20};
  ::ClientToScreen(parent.hwnd(), &inChild);
  const TPoint p = fromPoint(inChild);

  EXPECT_EQ(windows.getParent(fromHwnd(child)), parent.handle());
  EXPECT_EQ(windows.getParent(parent.handle()), 0u);
  EXPECT_EQ(windows.findWindowEx(parent.handle(), 0, u"rimfoldtestownwindow", nullptr),
            fromHwnd(child));
  EXPECT_EQ(windows.findWindowEx(parent.handle(), 0, nullptr, u"child"), fromHwnd(child));
  EXPECT_EQ(windows.findWindowEx(parent.handle(), 0, u"Windows.UI.Core.CoreWindow", nullptr),
            0u);
  EXPECT_EQ(windows.windowFromPoint(p), fromHwnd(child));
  // Disabled and hidden children are passed over: the point then belongs to the parent.
  ::EnableWindow(child, FALSE);
  EXPECT_EQ(windows.windowFromPoint(p), parent.handle());
  ::EnableWindow(child, TRUE);
  ::ShowWindow(child, SW_HIDE);
  EXPECT_EQ(windows.windowFromPoint(p), parent.handle());
  EXPECT_NE(windows.getDesktopWindow(), 0u);
}

TEST_F(WindowManagerTest, ThreadAndProcessOfOwnWindow) {
  OwnWindow w;
  std::uint32_t pid = 0;
  EXPECT_EQ(windows.getWindowThreadProcessId(w.handle(), &pid), ::GetCurrentThreadId());
  EXPECT_EQ(pid, ::GetCurrentProcessId());
  EXPECT_TRUE(windows.respondsWithin(w.handle(), 0));
}

// The move is posted to the window's own thread; an answered WM_NULL after it means the
// move has been applied, which is what the correction's read-back relies on.
TEST_F(WindowManagerTest, AnotherThreadsWindowIsMovedWithoutWaitingForIt) {
  ThreadWindow t;
  const auto rectOf = [&] {
    TRect r;
    EXPECT_TRUE(windows.getWindowRect(t.handle(), r));
    return r;
  };
  ASSERT_TRUE(windows.moveWindow(t.handle(), WindowBox{10, 20, 300, 200}, true));
  ASSERT_TRUE(windows.respondsWithin(t.handle(), kAnswerTimeoutMs));
  EXPECT_EQ(rectOf(), (TRect{10, 20, 310, 220}));

  t.hang();
  EXPECT_FALSE(windows.respondsWithin(t.handle(), 50));
  EXPECT_TRUE(windows.moveWindow(t.handle(), WindowBox{30, 40, 300, 200}, true));
  EXPECT_TRUE(windows.bringWindowToTop(t.handle()));
  // Handled after the wait has given up: the text must outlive the call.
  static const std::u16string kRenamed = u"renamed";
  EXPECT_FALSE(windows.setWindowText(t.handle(), kRenamed));
  windows.sendCommand(t.handle(), IDOK);
  EXPECT_EQ(rectOf(), (TRect{10, 20, 310, 220}));

  t.resume();
  ASSERT_TRUE(windows.respondsWithin(t.handle(), 5000));
  EXPECT_EQ(rectOf(), (TRect{30, 40, 330, 240}));
}

}  // namespace
}  // namespace rimfold::win32::test
