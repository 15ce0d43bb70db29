// System parameters, metrics, the shell launch, the clock and the ANSI code page.
#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include <gtest/gtest.h>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_manager.h"
#include "win32/child_process.h"
#include "win32/test_window.h"

namespace rimfold::win32::test {
namespace {

TEST(InputTest, MetricsOfTheShellDesktop) {
  struct Case {
    int index;
    int expected;
  };
  const Case cases[] = {
      {kSmCxScreen, 1920},
      {kSmCyScreen, 1080},
      {kSmCxSize, 18},
      {kSmCySize, 18},
      {kSmCxFrame, 4},
      {kSmCyFrame, 4},
      {kSmXVirtualScreen, 0},
      {kSmYVirtualScreen, 0},
      {kSmCxVirtualScreen, 1920},
      {kSmCyVirtualScreen, 1080},
      {kSmCMonitors, 1},
  };
  Win32Input input;
  for (const Case& c : cases) {
    EXPECT_EQ(input.getSystemMetrics(c.index), c.expected) << "metric " << c.index;
  }
}

// Wine has the late DPI functions; its one monitor runs at the system DPI, so the metrics for
// a window on it, and for no window at all (the nearest monitor), are the system's.
TEST(InputTest, MetricsForAWindowFollowItsMonitor) {
  OwnWindow w;
  Win32Input input;
  for (int index : {kSmCxSize, kSmCySize, kSmCyFrame}) {
    EXPECT_EQ(input.getSystemMetricsForWindow(index, w.handle()), ::GetSystemMetrics(index))
        << index;
  }
  EXPECT_EQ(input.getSystemMetricsForWindow(kSmCyFrame, 0), ::GetSystemMetrics(SM_CYFRAME));
}

TEST(InputTest, DragFullWindowsRoundTrips) {
  Win32Input input;
  bool original = false;
  ASSERT_TRUE(input.getDragFullWindows(original));
  for (bool value : {true, false, true}) {
    ASSERT_TRUE(input.setDragFullWindows(value));
    bool read = !value;
    ASSERT_TRUE(input.getDragFullWindows(read));
    EXPECT_EQ(read, value);
  }
  input.setDragFullWindows(original);
}

TEST(InputTest, ForegroundLockTimeoutTravelsInThePointerArgument) {
  Win32Input input;
  std::uint32_t original = 1;
  ASSERT_TRUE(input.getForegroundLockTimeout(original));
  for (std::uint32_t value : {200000u, 0u, 12345u}) {
    ASSERT_TRUE(input.setForegroundLockTimeout(value));
    std::uint32_t read = value + 1;
    ASSERT_TRUE(input.getForegroundLockTimeout(read));
    EXPECT_EQ(read, value);
  }
  input.setForegroundLockTimeout(original);
}

TEST(InputTest, BorderMetricsAndScreenSaver) {
  Win32Input input;
  struct Case {
    std::uint32_t structSize;
    bool ok;
  };
  // 504: with the padded border of Vista and later; 500: the size older systems take.
  // Sizes that do not reach the border field or overrun the structure never get to the API.
  const Case cases[] = {{504, true}, {500, true}, {6, false}, {505, false}, {4096, false}};
  for (const Case& c : cases) {
    int width = -1;
    EXPECT_EQ(input.getNonClientBorderWidth(c.structSize, width), c.ok) << c.structSize;
    if (c.ok) {
      EXPECT_EQ(width, 1) << c.structSize;
    }
  }
  int border = -1;
  ASSERT_TRUE(input.getBorder(border));
  EXPECT_EQ(border, 1);
  bool running = true;
  ASSERT_TRUE(input.getScreenSaverRunning(running));
  EXPECT_FALSE(running);
}

TEST(InputTest, CursorPositionAndSyntheticKeys) {
  Win32Input input;
  const TPoint targets[] = {{10, 20}, {1919, 1079}, {960, 540}};
  for (const TPoint& t : targets) {
    ASSERT_TRUE(::SetCursorPos(t.X, t.Y));
    // Wine passes the move through the X server; the new position can lag a moment.
    TPoint p;
    const ULONGLONG deadline = ::GetTickCount64() + 1000;
    do {
      ASSERT_TRUE(input.getCursorPos(p));
    } while (!(p == t) && ::GetTickCount64() < deadline && (::Sleep(5), true));
    EXPECT_EQ(p, t);
  }
  // A synthetic Shift press shows in the asynchronous key state until it is released; it
  // too goes through the X server and can lag a moment.
  const auto shiftDownWithin = [&](bool down) {
    const ULONGLONG deadline = ::GetTickCount64() + 1000;
    while ((input.getAsyncKeyState(kVkShift) < 0) != down && ::GetTickCount64() < deadline) {
      ::Sleep(5);
    }
    return input.getAsyncKeyState(kVkShift) < 0;
  };
  input.keybdEvent(static_cast<std::uint8_t>(kVkShift), false);
  EXPECT_TRUE(shiftDownWithin(true));
  input.keybdEvent(static_cast<std::uint8_t>(kVkShift), true);
  EXPECT_FALSE(shiftDownWithin(false));
}

TEST(ShellTest, AdministratorAndTaskbarAsWineReportsThem) {
  Win32Shell shell;
  EXPECT_TRUE(shell.isUserAnAdmin());
  TaskbarEdge edge = TaskbarEdge::Left;
  TRect rect;
  ASSERT_TRUE(shell.getTaskbarPos(edge, rect));
  EXPECT_EQ(edge, TaskbarEdge::Bottom);
  EXPECT_EQ(rect.Right - rect.Left, 1920);
}

TEST(ShellTest, ShellExecuteExOfAMissingFileFailsWithoutABox) {
  Win32Shell shell;
  EXPECT_FALSE(
      shell.shellExecuteEx(0, u"runas", u"C:\\no\\such\\program.exe", u"/Q", SW_SHOWNORMAL));
  EXPECT_FALSE(shell.shellExecuteEx(0, u"", u"C:\\no\\such\\program.exe", u"", SW_SHOWNORMAL));
}

TEST(ShellTest, ShellExecuteExStartsAProgramWithItsParameters) {
  wchar_t exe[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring eventName =
      L"Local\\rimfold-win32-shellexec-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
  ASSERT_TRUE(ready);
  const std::wstring title = L"launched by runas";
  const std::wstring parameters =
      std::wstring(kChildSwitch) + L" window \"" + eventName + L"\" \"" + title + L"\"";
  Win32Shell shell;
  const bool started = shell.shellExecuteEx(0, u"runas", fromWide(exe, std::wcslen(exe)),
                                            fromWide(parameters), SW_SHOWNORMAL);
  EXPECT_TRUE(started);
  EXPECT_EQ(::WaitForSingleObject(ready, started ? 10000 : 0), WAIT_OBJECT_0);
  ::CloseHandle(ready);
  HWND w = ::FindWindowW(kChildWindowClass, title.c_str());
  EXPECT_TRUE(w);
  if (w) ::PostMessageW(w, WM_CLOSE, 0, 0);
}

TEST(ClockTest, MillisecondsAdvanceWithSleep) {
  Win32Clock clock;
  const std::int64_t start = clock.nowMilliseconds();
  clock.sleep(60);
  const std::int64_t elapsed = clock.nowMilliseconds() - start;
  EXPECT_GE(elapsed, 55);
  EXPECT_LT(elapsed, 2000);
  // Counter and tick count share the time base of the system's uptime.
  EXPECT_LT(std::llabs(clock.nowMilliseconds() - static_cast<std::int64_t>(::GetTickCount64())),
            1000);
}

TEST(ClockTest, LocalTimeAndItsRegionalFormats) {
  Win32Clock clock;
  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const LocalTime t = clock.localTime();
  EXPECT_EQ(t.year, before.wYear);
  EXPECT_GE(t.month, 1);
  EXPECT_LE(t.month, 12);
  EXPECT_EQ(t.dayOfWeek, before.wDayOfWeek);

  const LocalTime fixed{2024, 3, 7, 4, 13, 5, 9, 0};
  const std::u16string date = clock.formatShortDate(fixed);
  const std::u16string time = clock.formatLongTime(fixed);
  EXPECT_NE(date.find(u"2024"), std::u16string::npos) << std::string(date.begin(), date.end());
  EXPECT_NE(time.find(u"05"), std::u16string::npos) << std::string(time.begin(), time.end());
  EXPECT_NE(time.find(u"09"), std::u16string::npos);
  EXPECT_EQ(date.find(u'\0'), std::u16string::npos);
  EXPECT_EQ(time.find(u'\0'), std::u16string::npos);
  // An impossible date has no format.
  EXPECT_EQ(clock.formatShortDate(LocalTime{2024, 13, 40, 0, 0, 0, 0, 0}), u"");
}

TEST(CodePageTest, SystemAnsiCodePageIsWindows1252) {
  ASSERT_EQ(::GetACP(), 1252u);
  struct Case {
    std::string ansi;
    std::u16string text;
    bool roundTrips;
  };
  const Case cases[] = {
      {"", u"", true},
      {"plain ASCII", u"plain ASCII", true},
      {"caf\xE9", u"caf\u00e9", true},
      {"\x80 5", u"\u20ac 5", true},  // the euro sign sits at 0x80 in 1252
      {"\r\n", u"\r\n", true},
      {"?", u"\u3042", false},         // not in the code page: its default character
      {"a??", u"a\U0001F600", false},  // a surrogate pair counts as two characters
  };
  Win32CodePage cp;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ansi);
    EXPECT_EQ(cp.utf16ToAnsi(c.text), c.ansi);
    if (c.roundTrips) {
      EXPECT_EQ(cp.ansiToUtf16(c.ansi), c.text);
    }
  }
}

}  // namespace
}  // namespace rimfold::win32::test
