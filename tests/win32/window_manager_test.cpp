// The real window manager where it goes beyond the contract suite (tests/contract), which
// holds the rules the fake shares with it: Wine's own figures (the shell desktop's work
// area, the parked and maximized rectangles), children and point queries, threads.
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
  void hang() {
    hung_ = true;
    ::Sleep(100);
  }  // past the pump's current round
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

TEST_F(WindowManagerTest, EnumWindowsPassesAnExceptionOnAfterTheCall) {
  OwnWindow a;
  EXPECT_THROW(windows.enumWindows([](Hwnd) -> bool { throw std::runtime_error("callback"); }),
               std::runtime_error);
}

TEST_F(WindowManagerTest, ChildWindowsParentsAndPointQueries) {
  OwnWindow parent(OwnWindowDesc{.rect = {200, 200, 800, 700}});
  ASSERT_TRUE(::SetWindowPos(parent.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
  // Not a static control: those are transparent to hit testing.
  HWND child = ::CreateWindowExW(0, kOwnWindowClass, L"child", WS_CHILD | WS_VISIBLE, 10, 10, 100,
                                 50, parent.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
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
  EXPECT_EQ(windows.findWindowEx(parent.handle(), 0, u"Windows.UI.Core.CoreWindow", nullptr), 0u);
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
