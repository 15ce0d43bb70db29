// The Win32 shell: the exception guard, the window trampoline and the two forms' start
// and close paths, with the data folder pointed at a temporary one.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/exception_guard.h"
#include "shell/app_host.h"
#include "ui/window_base.h"
#include "shell/config_form.h"
#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_platform.h"
#include "system/data_dir.h"
#include "system/elevation.h"
#include "win32/temp_folder.h"

namespace rimfold::shell {
namespace {

using win32::test::readBytes;
using win32::test::TempFolder;
using win32::test::writeBytes;

struct RecordingSink : ui::IExceptionSink {
  std::vector<std::u16string> messages;
  void ApplicationEventsException(const std::u16string& message) override {
    messages.push_back(message);
  }
};

// Installs a sink for one test and restores the previous one.
class SinkScope {
 public:
  explicit SinkScope(ui::IExceptionSink* sink) : previous_(ui::exceptionSink()) {
    ui::setExceptionSink(sink);
  }
  ~SinkScope() { ui::setExceptionSink(previous_); }

 private:
  ui::IExceptionSink* previous_;
};

// Removes the WM_QUIT a close posts, so that it cannot end a later test's loop; true when
// one was there.
bool takeQuitMessage() {
  MSG msg{};
  bool quit = false;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
    } else {
      ::DispatchMessageW(&msg);
    }
  }
  return quit;
}

TEST(ExceptionGuardTest, MessageIsReadAsUtf8ThenAsAnsi) {
  EXPECT_EQ(ui::exceptionMessage("disk full"), u"disk full");
  EXPECT_EQ(ui::exceptionMessage("Fehler \xC3\xA4"), u"Fehler \u00E4");
  // A lone 0xE4 is no UTF-8; in code page 1252 it is a-umlaut.
  ASSERT_EQ(::GetACP(), 1252u);
  EXPECT_EQ(ui::exceptionMessage("Fehler \xE4"), u"Fehler \u00E4");
  EXPECT_EQ(ui::exceptionMessage(""), u"");
}

TEST(ExceptionGuardTest, ExceptionsReachTheSinkAndNothingEscapes) {
  RecordingSink sink;
  SinkScope scope(&sink);
  int ran = 0;
  EXPECT_TRUE(ui::runGuarded([&] { ++ran; }));
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_FALSE(ui::runGuarded([] { throw std::runtime_error("first"); }));
  EXPECT_FALSE(ui::runGuarded([] { throw 42; }));
  EXPECT_EQ(ran, 1);
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[0], u"first");
  EXPECT_EQ(sink.messages[1], ui::kUnknownExceptionText);
}

TEST(ExceptionGuardTest, AFailingSinkIsSwallowed) {
  struct ThrowingSink : ui::IExceptionSink {
    void ApplicationEventsException(const std::u16string&) override {
      throw std::runtime_error("sink");
    }
  } sink;
  SinkScope scope(&sink);
  EXPECT_FALSE(ui::runGuarded([] { throw std::runtime_error("body"); }));
}

class ProbeWindow final : public ui::WindowBase {
 public:
  bool create() {
    return createWindow({L"RimfoldShellTestProbe", L"probe", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 10,
                         10}) != nullptr;
  }
  ~ProbeWindow() override { destroyWindow(); }
  void destroy() { destroyWindow(); }
  int answered = 0;

 private:
  bool onMessage(ui::Message& m) override {
    static constexpr ui::MessageEntry<ProbeWindow> kMessages[] = {
        {WM_USER, &ProbeWindow::answer},
        {WM_USER + 1, &ProbeWindow::fail},
    };
    return ui::dispatchMessage(*this, kMessages, m);
  }
  void answer(ui::Message& m) {
    ++answered;
    m.result = static_cast<LRESULT>(m.wParam) * 2;
  }
  void fail(ui::Message&) { throw std::runtime_error("handler failed"); }
};

TEST(WindowBaseTest, MessagesReachTheObjectAndFailuresStopAtTheTrampoline) {
  RecordingSink sink;
  SinkScope scope(&sink);
  ProbeWindow w;
  ASSERT_TRUE(w.create());
  HWND h = w.handle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(::SendMessageW(h, WM_USER, 21, 0), 42);
  EXPECT_EQ(w.answered, 1);
  EXPECT_EQ(::SendMessageW(h, WM_USER + 1, 0, 0), 0);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], u"handler failed");
  // Unhandled messages get the default answer.
  wchar_t title[16]{};
  EXPECT_EQ(::SendMessageW(h, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(title)), 5);
  EXPECT_STREQ(title, L"probe");
  w.destroy();
  EXPECT_EQ(w.handle(), nullptr);
  EXPECT_FALSE(::IsWindow(h));
}

// The main form alone: each message it receives becomes one event, or none.
struct RecordedEvents final : IMainFormEvents {
  void postedDragEnd(Hwnd w) override { seen.push_back("drag " + std::to_string(w)); }
  void displayChanged() override { seen.push_back("display"); }
  void menuCommand(int id) override { seen.push_back("command " + std::to_string(id)); }
  void closeAsked() override { seen.push_back("close"); }
  void sessionEnding() override { seen.push_back("session"); }
  void taskbarCreated() override { seen.push_back("taskbar"); }
  void earlyTickPosted() override { seen.push_back("early tick"); }
  std::vector<std::string> seen;
};

TEST(MainFormTest, EachMessageRaisesItsEventAndGetsItsAnswer) {
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  struct Case {
    const char* name;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> events;
    LRESULT answer;
  };
  const Case cases[] = {
      {"menu command", WM_COMMAND, 105, 0, {"command 105"}, 0},
      // A control's notification carries its window; an accelerator's code is 1.
      {"control notification", WM_COMMAND, MAKEWPARAM(105, BN_CLICKED), 0x1234, {}, 0},
      {"accelerator", WM_COMMAND, MAKEWPARAM(105, 1), 0, {}, 0},
      {"close", WM_CLOSE, 0, 0, {"close"}, 0},
      {"end of session asked", WM_QUERYENDSESSION, 0, 0, {"session"}, TRUE},
      {"end of session", WM_ENDSESSION, TRUE, 0, {}, 1},
      {"display change", WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080), {"display"}, 0},
      {"drag end", kMsgDragEnded, 0x4242, 0, {"drag 16962"}, 0},
      {"taskbar created", taskbarCreated, 0, 0, {"taskbar"}, 0},
      {"early tick", kMsgEarlyTick, 0, 0, {"early tick"}, 0},
      {"anything else", WM_USER + 7, 0, 0, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordedEvents events;
    TMainForm form(events);
    ASSERT_TRUE(form.create());
    events.seen.clear();
    EXPECT_EQ(::SendMessageW(form.handle(), c.msg, c.wParam, c.lParam), c.answer);
    EXPECT_EQ(events.seen, c.events);
    EXPECT_FALSE(::IsWindowVisible(form.handle()));
  }
}

TEST(MainFormTest, ADragEndComesBackAsAPostedMessage) {
  RecordedEvents events;
  TMainForm form(events);
  ASSERT_TRUE(form.create());
  form.postDragEnded(77);
  // Posted, not sent: nothing has run before the queue is read.
  EXPECT_TRUE(events.seen.empty());
  takeQuitMessage();
  EXPECT_EQ(events.seen, std::vector<std::string>{"drag 77"});
}

// The program as wWinMain builds it, with the data folder a temporary one.
class FormsTest : public testing::Test {
 protected:
  void SetUp() override { p_.data.dir = win32::fromWide(folder_.path() + L"\\"); }
  void TearDown() override { takeQuitMessage(); }
  std::wstring file(const wchar_t* name) const { return folder_.file(name); }

  win32::Win32Platform system_;
  Platform p_ = system_.platform();
  TempFolder folder_;

 private:
};

constexpr char kFirstRunIni[] =
    "[Tray]\r\nConstraints=0\r\nStop=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\nReturnWindows="
    "1\r\n\r\n"
    "[Key]\r\nStop=\r\n\r\n";

TEST_F(FormsTest, NonResidentStartAndCloseWriteTheFirstRunFiles) {
  AppHost main(p_, true);
  ASSERT_TRUE(main.start());
  EXPECT_TRUE(main.timer().Enabled());
  EXPECT_EQ(main.timerInterval(), kNonResidentInterval);
  EXPECT_FALSE(main.hookInstalled());
  EXPECT_EQ(main.driver().MActWinB, win32::fromHwnd(main.mainForm().handle()));
  EXPECT_FALSE(::IsWindowVisible(main.mainForm().handle()));
  EXPECT_FALSE(::IsWindowVisible(main.configForm().handle()));
  EXPECT_EQ(main.displayChange().MScreenB[0], ::GetSystemMetrics(SM_CMONITORS));
  EXPECT_EQ(main.displayChange().MScreenB[3], ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(::GetFileAttributesW(file(L"Rimfold.ini").c_str()), INVALID_FILE_ATTRIBUTES);

  main.Close();
  EXPECT_TRUE(takeQuitMessage());
  EXPECT_EQ(readBytes(file(L"Rimfold.ini")), kFirstRunIni);
  EXPECT_EQ(readBytes(file(L"Disable.log")), std::string("\xFF\xFE"));
  const std::string workArea = readBytes(file(L"WorkArea.dat"));
  EXPECT_NE(workArea.find("[MAX]\r\nDisable=1\r\n"), std::string::npos) << workArea;
  EXPECT_NE(workArea.find("GroupBoxE=100\r\n"), std::string::npos) << workArea;
}

TEST_F(FormsTest, ResidentHooksAndClosesOnWmClose) {
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  EXPECT_EQ(main.timerInterval(), kResidentInterval);
  EXPECT_TRUE(main.hookInstalled());
  EXPECT_EQ(::SendMessageW(main.mainForm().handle(), WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(takeQuitMessage());
  EXPECT_FALSE(main.hookInstalled());
  EXPECT_EQ(readBytes(file(L"Rimfold.ini")), kFirstRunIni);
}

TEST_F(FormsTest, StoredSettingsAreReadAndWrittenBackWithForeignKeysKept) {
  ASSERT_TRUE(
      writeBytes(file(L"Rimfold.ini"),
                 "[Tray]\r\nStop=1\r\nDispDialog=0\r\nMoveWindowSpeed=1\r\nConstraints=2\r\n"
                 "Other=x\r\n\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n\r\n"));
  ASSERT_TRUE(writeBytes(file(L"Disable.log"), std::string("\xFF\xFE"
                                                           "A\0,\0B\0\r\0\n\0",
                                                           12)));
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  EXPECT_TRUE(main.PPMenu().checked(app::PPStop));
  EXPECT_TRUE(main.stopChecked());
  EXPECT_FALSE(main.PPMenu().checked(app::PPDispDialog));
  EXPECT_TRUE(main.PPMenu().checked(app::PPMoveWindowSpeed));
  EXPECT_TRUE(main.PPMenu().checked(app::PPConstraints2));
  EXPECT_EQ(main.PPMenu().MPPConstraintsC, 2);
  EXPECT_EQ(main.hotKeyStop(), u"Ctrl+Alt+S");
  // Started stopped: the tray already shows the stopped hint.
  EXPECT_EQ(main.TrayIcon().Hint(), u"Rimfold - 停止");
  ASSERT_EQ(main.state().lists.ListBoxD.size(), 1u);
  EXPECT_EQ(main.state().lists.ListBoxD[0], u"A,B");

  // Menu commands arrive as WM_COMMAND with the item's id.
  ::SendMessageW(main.mainForm().handle(), WM_COMMAND, app::PPStop, 0);
  ::SendMessageW(main.mainForm().handle(), WM_COMMAND, app::PPConstraints3, 0);
  EXPECT_FALSE(main.stopChecked());
  EXPECT_EQ(main.TrayIcon().Hint(), u"Rimfold");
  main.Close();
  EXPECT_EQ(readBytes(file(L"Rimfold.ini")),
            "[Tray]\r\nStop=0\r\nDispDialog=0\r\nMoveWindowSpeed=1\r\nConstraints=3\r\n"
            "Other=x\r\nReturnWindows=1\r\n\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n\r\n");
  EXPECT_EQ(readBytes(file(L"Disable.log")), std::string("\xFF\xFE"
                                                         "A\0,\0B\0\r\0\n\0",
                                                         12));
}

TEST_F(FormsTest, QueryEndSessionSavesAndAnswersTrue) {
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  EXPECT_EQ(::SendMessageW(main.mainForm().handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_TRUE(takeQuitMessage());
  EXPECT_EQ(readBytes(file(L"Rimfold.ini")), kFirstRunIni);
  EXPECT_EQ(::SendMessageW(main.mainForm().handle(), WM_ENDSESSION, TRUE, 0), 1);
}

TEST_F(FormsTest, DialogWindowRaisesTheWatchFlag) {
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  main.state().watch.FWMGETMINMAXINFO = false;
  MINMAXINFO info{};
  ::SendMessageW(main.configForm().handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(main.state().watch.FWMGETMINMAXINFO);
  // The tick consumes the flag; the work area has not changed, so the tick goes on.
  EXPECT_FALSE(main.checkDesktopIfFlagged());
  EXPECT_FALSE(main.state().watch.FWMGETMINMAXINFO);
  // A changed work area is announced to every top-level window as a setting change.
  ::SendMessageW(main.configForm().handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_TRUE(main.state().watch.FWMGETMINMAXINFO);
}

// Dispatches this thread's messages until done() holds, for at most timeoutMs; the time
// that took, or timeoutMs when it never held.
template <typename Done>
DWORD pumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  MSG msg{};
  while (!done()) {
    if (::GetTickCount() - start >= timeoutMs) return timeoutMs;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) ::DispatchMessageW(&msg);
    }
  }
  return ::GetTickCount() - start;
}

TEST_F(FormsTest, AnExceptionIsLoggedAndTheTimerRestsASecond) {
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  ASSERT_EQ(ui::exceptionSink(), &main);
  EXPECT_FALSE(ui::runGuarded([] { throw std::runtime_error("first failure"); }));
  // The handler returns at once; the polling timer rests, the program answers meanwhile.
  EXPECT_FALSE(main.timer().Enabled());
  EXPECT_TRUE(main.exceptionPause().Enabled());
  const DWORD rested = pumpUntil([&] { return main.timer().Enabled(); }, 10000);
  EXPECT_GE(rested, 900u);
  EXPECT_LT(rested, 10000u) << "the polling timer never ran again";
  EXPECT_FALSE(main.exceptionPause().Enabled());
  EXPECT_FALSE(ui::runGuarded([] { throw 1; }));
  EXPECT_FALSE(main.timer().Enabled());
  const std::string log = readBytes(file(L"Rimfold_Error.log"));
  const std::size_t first = log.find(" : first failure\r\n");
  const std::size_t second = log.find(" : Unknown exception\r\n");
  ASSERT_NE(first, std::string::npos) << log;
  ASSERT_NE(second, std::string::npos) << log;
  EXPECT_LT(first, second);
  EXPECT_EQ(log.size(), second + std::string(" : Unknown exception\r\n").size());
  main.Close();
}

// What the dialog's modal loop sees, looked at from inside it by a thread timer.
struct ModalLook {
  AppHost* main = nullptr;
  bool dialogVisible = false;
  bool trayEnabled = true;
  bool hotKeyFree = false;
  int looks = 0;
} gModalLook;

constexpr int kProbeHotKeyId = 0xB001;

void CALLBACK lookInsideTheDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  ModalLook& l = gModalLook;
  ++l.looks;
  l.dialogVisible = l.main->configForm().visible();
  l.trayEnabled = l.main->TrayIcon().Enabled;
  // The stop hotkey is given up while the dialog is open: another owner can take it.
  l.hotKeyFree = ::RegisterHotKey(nullptr, kProbeHotKeyId, MOD_CONTROL | MOD_ALT, 'S') != FALSE;
  if (l.hotKeyFree) ::UnregisterHotKey(nullptr, kProbeHotKeyId);
  // A second request while the dialog is up does nothing (it would nest another loop).
  l.main->PPMenu().PPConfigClick();
  ::PostMessageW(l.main->configForm().handle(), WM_CLOSE, 0, 0);
}

TEST_F(FormsTest, ConfigShowsTheDialogModallyWithTheTrayAndTheHotKeyOff) {
  ASSERT_TRUE(writeBytes(file(L"Rimfold.ini"), "[Key]\r\nStop=Ctrl+Alt+S\r\n"));
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  gModalLook = ModalLook{&main};
  ASSERT_NE(::SetTimer(nullptr, 0, 50, &lookInsideTheDialog), 0u);

  ::SendMessageW(main.mainForm().handle(), WM_COMMAND, app::PPConfig, 0);

  EXPECT_EQ(gModalLook.looks, 1);
  EXPECT_TRUE(gModalLook.dialogVisible);
  EXPECT_FALSE(gModalLook.trayEnabled);
  EXPECT_TRUE(gModalLook.hotKeyFree);
  EXPECT_FALSE(main.configForm().visible());
  EXPECT_TRUE(main.TrayIcon().Enabled);
  // Registered again: the same keys are taken once more.
  EXPECT_FALSE(::RegisterHotKey(nullptr, kProbeHotKeyId, MOD_CONTROL | MOD_ALT, 'S'));
  // Closing the dialog saved its files.
  EXPECT_NE(readBytes(file(L"WorkArea.dat")).find("[Window]"), std::string::npos);
  main.Close();
}

TEST_F(FormsTest, AnItemTheMenuDoesNotShowCannotBeCommanded) {
  AppHost main(p_, false);
  ASSERT_TRUE(main.start());
  // Wine runs elevated: PPAdminQ is hidden, and its id must not start anything.
  ASSERT_FALSE(main.PPMenu().shown(app::PPAdminQ));
  const bool stopped = main.stopChecked();
  for (WPARAM id : {WPARAM{app::PPAdminQ}, WPARAM{app::kTrayMenuEnd}, WPARAM{app::PPStop - 1}}) {
    ::SendMessageW(main.mainForm().handle(), WM_COMMAND, id, 0);
  }
  // Not a menu command: a control's notification carries its window in lParam.
  ::SendMessageW(main.mainForm().handle(), WM_COMMAND, app::PPStop,
                 reinterpret_cast<LPARAM>(main.mainForm().handle()));
  EXPECT_EQ(main.stopChecked(), stopped);
  ::SendMessageW(main.mainForm().handle(), WM_COMMAND, app::PPStop, 0);
  EXPECT_NE(main.stopChecked(), stopped);
  main.Close();
}

// Another process's main-form window, or null.
HWND foreignMainForm() {
  for (HWND w = ::FindWindowExW(nullptr, nullptr, kMainFormClass, nullptr); w != nullptr;
       w = ::FindWindowExW(nullptr, w, kMainFormClass, nullptr)) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid != ::GetCurrentProcessId()) return w;
  }
  return nullptr;
}

TEST(ElevationTest, RunasStartsRimfoldWithQWhichSweepsOnceAndEnds) {
  wchar_t self[MAX_PATH]{};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe(self);
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"Rimfold.exe";
  ASSERT_NE(::GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "build Rimfold first";
  ASSERT_EQ(foreignMainForm(), nullptr);
  win32::Win32Platform system;
  Platform p = system.platform();

  ASSERT_TRUE(ExecuteElevated(p, 0, win32::fromWide(exe), u"/Q"));

  DWORD start = ::GetTickCount();
  HWND started = nullptr;
  while (started == nullptr && ::GetTickCount() - start < 5000) {
    started = foreignMainForm();
    ::Sleep(20);
  }
  ASSERT_NE(started, nullptr) << "no Rimfold window appeared";
  // Only the one-shot mode ends by itself, about 1.5 s after its start.
  start = ::GetTickCount();
  while (::IsWindow(started) && ::GetTickCount() - start < 8000) ::Sleep(50);
  EXPECT_FALSE(::IsWindow(started)) << "the started copy did not end: not in /Q mode";
}

}  // namespace
}  // namespace rimfold::shell
