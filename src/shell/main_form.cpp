#include "shell/main_form.h"

#include "shell/run_logged.h"

#include <iterator>

#include "ui/dpi.h"
#include "ui/message_loop.h"
#include "settings/error_log.h"
#include "shell/config_form.h"
#include "engine/drag_features.h"

#include "platform/win32/win32_convert.h"
#include "system/data_dir.h"
#include "system/uac_check.h"
#include "system/wow64.h"
#include "workarea/work_area.h"

#include "resource_ids.h"

namespace rimfold::app {

namespace {

constexpr DWORD kExceptionPauseMs = 1000;
constexpr int kLargeIconSize = 32;

IconHandle iconHandle(const win32::UniqueIcon& icon) {
  return static_cast<IconHandle>(reinterpret_cast<std::uintptr_t>(icon.get()));
}

}  // namespace

TMainForm::TMainForm(Platform& p, ProgramState& state, MonitorList& monitors,
                     TConfigForm& config, bool nonResident)
    : p_(p),
      monitors_(monitors),
      config_(config),
      state_(state),
      nonResident_(nonResident),
      correction_(p, state.lists, state.switches, state.tables, monitors),
      driver_(p, correction_, *this),
      displayChange_(p, monitors, *this, config),
      watch_(p, state.watch, state.tables, state.lists, monitors, *this, config),
      trayIcon_(p.input) {
  // The handler is live before FormCreate runs, so failures there are logged too.
  setExceptionSink(this);
}

TMainForm::~TMainForm() {
  runGuarded([&] { FormDestroy(); });
  destroyWindow();
  if (win32::winEventListener() == this) win32::setWinEventListener(nullptr);
  if (exceptionSink() == this) setExceptionSink(nullptr);
}

bool TMainForm::create() {
  // A tool window that is never shown: no taskbar button, nothing on screen.
  if (createWindow({kMainFormClass, L"Rimfold", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0}) ==
      nullptr) {
    return false;
  }
  loadIcons();
  // Neither a tray failure nor a failure in FormCreate stops the start.
  runGuarded([&] { createTrayIcon(); });
  runGuarded([&] { FormCreate(); });
  return true;
}

void TMainForm::loadIcons() {
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  const auto load = [module](int id, int size) {
    return win32::UniqueIcon(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  };
  formIcon_ = load(IDI_RIMFOLD, kLargeIconSize);
  const int small = shellSmallIconSize();
  runningIcon_ = load(IDI_RIMFOLD, small);
  ImageStop = load(IDI_STOP, small);
  ::SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(formIcon_.get()));
}

void TMainForm::createTrayIcon() {
  // The tray icon is there, with its design icon and hint, before FormCreate runs; a
  // shell that cannot take it now gets it again on "TaskbarCreated".
  TCoolTrayIcon& icon = TrayIcon();
  icon.setIcon(iconHandle(runningIcon_));
  icon.setHint(kHintRunning);
  icon.setIconVisible(true);
  icon.Loaded();
  taskbarCreated_ = registerTaskbarCreated();
}

void TMainForm::FormCreate() {
  systemTraits_.IsWow64 = InitWow64(p_);
  systemTraits_.UACEnabled = CheckUAC(p_);
  state_.tables.GMonitorCount = monitors_.count();
  displayChange_.Func_ScreenChanged();

  const TraySettings s = readTraySettings(loadIniFile(p_, settingsPath(p_)));
  hotKeyWindow_.owner = handle();
  hotKeyWindow_.component = &HookHotKey;
  PPMenu_.emplace(p_, *this, config_, TrayIcon(), HookHotKey,
                  TrayIcons{iconHandle(runningIcon_), iconHandle(ImageStop)}, s, systemTraits_);
  popupMenu_.emplace(*PPMenu_, trayHandle(), handle());
  TrayIcon().PopupMenu = &*popupMenu_;
  // Hotkey, stopped presentation, radio item, display-mode submenu and PPAdminQ. A hotkey
  // that is taken, or a stored text that names no key, is simply not active; the text is
  // kept and saved as it was.
  PPMenu().setUp();
  if (PPMenu().visible(PPAdminQ)) popupMenu_->SetMenuShieldIcon();

  driver_.MActWinB = win32::fromHwnd(handle());
  enterLayout(false);
  if (nonResident_) {
    timer_.setInterval(kNonResidentInterval);
  } else {
    timer_.setInterval(kResidentInterval);
    Proc_SetEventHook();
  }
  setTimerEnabled(true);
}

void TMainForm::Close() {
  // A close can come inside the tray menu's loop (the installer's WM_CLOSE, taskkill), which
  // would go on and swallow the quit: the menu ends first. The main loop also ends once it
  // sees the form closed, and a close that comes again posts the quit again.
  ::EndMenu();
  if (!closed_) {
    closed_ = true;
    FormCloseQuery();
  }
  ::PostQuitMessage(0);
}

void TMainForm::FormCloseQuery() {
  std::u16string hotKeyText;
  runLogged(p_, [&] { hotKeyText = config_.close(); });
  if (!nonResident_) Proc_UnhookEvent();
  // Without a menu FormCreate failed before reading the settings: writing now would
  // replace the user's file with defaults.
  if (!hasMenu()) return;
  PPMenu().MHotKeyStop = hotKeyText;
  if (!hotKeyStop().empty()) HookHotKey.Delete(kStopHotKeyIndex);
  runLogged(p_, [&] {
    const std::u16string path = settingsPath(p_);
    // Not rewritten when it was oversized or could not be read.
    std::optional<IniFile> ini = loadIniFileForRewrite(p_, path);
    if (!ini) return;
    writeTraySettings(*ini, traySettings());
    saveIniFile(p_, *ini, path);
  });
}

void TMainForm::FormDestroy() {
  // The timer dies with the window.
  setTimerEnabled(false);
  Proc_UnhookEvent();
}

// Enabling restarts the interval, as re-arming a timer does.
void TMainForm::setTimerEnabled(bool on) { timer_.setEnabled(on); }

bool TMainForm::checkDesktopIfFlagged() {
  return watch_.checkIfFlagged();
}

void TMainForm::dragEnded(Hwnd w) {
  // The hook only records: a notification can arrive while a sweep waits for another
  // window, and must not start moves in the middle of it.
  ::PostMessageW(handle(), kMsgDragEnded, static_cast<WPARAM>(w), 0);
}

WindowReturn* TMainForm::windowReturn() {
  // The one-shot run ends after its sweep: nothing it recorded could ever be put back.
  if (nonResident_) return nullptr;
  return hasMenu() && PPMenu().checked(PPReturnWindows) ? &windowReturn_ : nullptr;
}

void TMainForm::enterLayout(bool putBack) {
  windowReturn_.enter(
      monitors_,
      [&](Hwnd w, WindowIdentity& identity) { return correction_.mayReturn(w, identity); },
      putBack);
}

void TMainForm::layoutSettled() {
  // Also with the item off, so that the records follow the layouts once it is on again.
  enterLayout(windowReturn() != nullptr && !stopChecked());
  // The windows the change left off every monitor raise no event of their own.
  if (!nonResident_ && !stopChecked()) driver_.sweepEverything();
  settleUntilMs_ = p_.clock.nowMilliseconds() + kWorkAreaSettleMs;
}

void TMainForm::dragEndWork(Hwnd w) {
  if (!hasMenu()) return;
  windowReturn_.userMoved(w);
  correction_.userMoved(w);
  Proc_MoveWindowSpeed(p_, monitors_, state_.tables,
                       DragState{driver_.MSnapRectB, driver_.DragStopwatch},
                       PPMenu().checked(PPMoveWindowSpeed), stopChecked(), w);
  Proc_Constraints(p_, correction_, monitors_, state_.lists.ListBoxD, stopChecked(),
                   PPMenu().MPPConstraintsC,
                   w);
}

void TMainForm::onWinEvent(std::uint32_t event, Hwnd w, bool windowItself) {
  runGuarded([&] { driver_.WinEventProc(event, w, windowItself); });
}

void TMainForm::Proc_SetEventHook() {
  win32::setWinEventListener(this);
  hooks_.set();
}

void TMainForm::Proc_UnhookEvent() { hooks_.unhook(); }

bool TMainForm::installHook(std::size_t index, const EventRange& range) {
  EventHook[index] = win32::hookWinEvents(range.min, range.max);
  return EventHook[index].valid();
}

void TMainForm::removeHook(std::size_t index) { EventHook[index].reset(); }

void TMainForm::logHookFailure(const std::u16string& message) { appendErrorLog(p_, message); }

void TMainForm::TimerTimer() {
  hooks_.retry();
  watchWorkAreasSettle();
  driver_.TimerTimer();
}

void TMainForm::watchWorkAreasSettle() {
  if (settleUntilMs_ == 0) return;
  if (p_.clock.nowMilliseconds() > settleUntilMs_) {
    settleUntilMs_ = 0;
    return;
  }
  // Before the watch's own check, which would otherwise ask the user about the settling.
  if (workAreasMovedSince(p_, state_.tables)) displayChange_.workAreasSettled();
}

bool TMainForm::configCheckDesktop(bool v) {
  return watch_.Func_CheckDesktop(v);
}

void TMainForm::startCheckTimer(std::uint32_t intervalMs) {
  checkTimer_.setInterval(intervalMs);
  checkTimer_.setEnabled(true);
}

void TMainForm::stopCheckTimer() { checkTimer_.setEnabled(false); }

void TMainForm::showWorkAreaPage() {
  config_.selectPage(TabSheetWorkArea);
  if (hasMenu()) PPMenu().PPConfigClick();
}

void TMainForm::ApplicationEventsException(const std::u16string& message) {
  setTimerEnabled(false);
  appendErrorLog(p_, message);
  processMessages();
  p_.clock.sleep(kExceptionPauseMs);
  setTimerEnabled(true);
}

Hwnd TMainForm::mainWindow() { return win32::fromHwnd(handle()); }


bool TMainForm::onMessage(Message& m) {
  // "TaskbarCreated": the shell has restarted and lost the icon. Never handled here.
  if (taskbarCreated_ != 0 && m.msg == taskbarCreated_) {
    TrayIcon().TaskbarCreated();
    return false;
  }
  static constexpr MessageEntry<TMainForm> kMessages[] = {
      {WM_COMMAND, &TMainForm::WMCommand},
      {WM_CLOSE, &TMainForm::WMClose},
      {WM_QUERYENDSESSION, &TMainForm::WMQueryEndSession},
      {WM_ENDSESSION, &TMainForm::WMEndSession},
      {WM_DISPLAYCHANGE, &TMainForm::WMDisplayChange},
      {kMsgDragEnded, &TMainForm::WMDragEnded},
  };
  return dispatchMessage(*this, kMessages, m);
}

void TMainForm::WMDisplayChange(Message& m) {
  displayChange_.WMDisplayChange();
  m.result = 0;
}

void TMainForm::WMDragEnded(Message& m) {
  dragEndWork(static_cast<Hwnd>(m.wParam));
  m.result = 0;
}

void TMainForm::WMClose(Message& m) {
  Close();
  m.result = 0;
}

void TMainForm::WMQueryEndSession(Message& m) {
  // The settings are saved before the answer; a save that fails never refuses the end.
  Close();
  m.result = TRUE;
}

void TMainForm::WMCommand(Message& m) {
  // Menu commands come with a zero lParam; only an item the menu shows can be chosen.
  const int id = LOWORD(m.wParam);
  if (m.lParam == 0 && HIWORD(m.wParam) == 0 && hasMenu() && PPMenu().shown(id)) {
    PPMenu().click(static_cast<TrayMenuId>(id));
  }
  m.result = 0;
}

void TMainForm::WMEndSession(Message& m) {
  ::DefWindowProcW(handle(), m.msg, m.wParam, m.lParam);
  m.result = 1;
}

}  // namespace rimfold::app
