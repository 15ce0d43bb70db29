#include "shell/app_host.h"

#include "engine/drag_features.h"
#include "platform/win32/win32_convert.h"
#include "settings/data_files.h"
#include "settings/error_log.h"
#include "shell/run_logged.h"
#include "system/uac_check.h"
#include "system/wow64.h"
#include "ui/dpi.h"
#include "workarea/work_area.h"

#include "resource_ids.h"

namespace rimfold::shell {

namespace {

// After a failure the polling timer rests this long, so that a failure that comes back at
// every tick cannot fill the error log.
constexpr std::uint32_t kExceptionPauseMs = 1000;

IconHandle iconHandle(const win32::UniqueIcon& icon) {
  return static_cast<IconHandle>(reinterpret_cast<std::uintptr_t>(icon.get()));
}

}  // namespace

// The order is the members' order: each is built after what it needs.
AppHost::AppHost(Platform& p, bool nonResident)
    : p_(p),
      nonResident_(nonResident),
      monitors_(p.windows),
      config_(p, state_, monitors_, *this),
      correction_(p, state_.lists, state_.switches, state_.tables, monitors_),
      windowReturn_(p),
      driver_(p, correction_, *this, *this, timer_),
      displayChange_(p, monitors_, *this, config_, {*this, *this, timer_, dispChangeTimer_}),
      watch_(p, state_.watch, state_.tables, state_.lists, monitors_, *this,
             {*this, timer_, checkTimer_}),
      trayIcon_(p.input) {
  // The handler is live before FormCreate runs, so failures there are logged too.
  ui::setExceptionSink(this);
}

AppHost::~AppHost() {
  ui::runGuarded([&] { FormDestroy(); });
  if (win32::winEventListener() == this) win32::setWinEventListener(nullptr);
  if (ui::exceptionSink() == this) ui::setExceptionSink(nullptr);
}

bool AppHost::start() {
  if (!mainForm_.create()) return false;
  loadIcons();
  // Neither a tray failure nor a failure in FormCreate stops the start.
  ui::runGuarded([&] { createTrayIcon(); });
  ui::runGuarded([&] { FormCreate(); });
  ui::runGuarded([&] { config_.create(hasMenu() ? hotKeyStop() : std::u16string()); });
  return true;
}

void AppHost::loadIcons() {
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  const int size = ui::shellSmallIconSize();
  const auto load = [module, size](int id) {
    return win32::UniqueIcon(static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  };
  runningIcon_ = load(IDI_RIMFOLD);
  ImageStop = load(IDI_STOP);
}

void AppHost::createTrayIcon() {
  // The tray icon is there, with its design icon and hint, before FormCreate runs; a
  // shell that cannot take it now gets it again on "TaskbarCreated".
  TCoolTrayIcon& icon = TrayIcon();
  icon.setIcon(iconHandle(runningIcon_));
  icon.setHint(app::kHintRunning);
  icon.setIconVisible(true);
  icon.Loaded();
}

void AppHost::FormCreate() {
  systemTraits_.IsWow64 = InitWow64(p_);
  systemTraits_.UACEnabled = CheckUAC(p_);
  state_.tables.GMonitorCount = monitors_.count();
  displayChange_.Func_ScreenChanged();

  const TraySettings s = readTraySettings(loadIniFile(p_, settingsPath(p_)));
  hotKeyWindow_.owner = mainForm_.handle();
  hotKeyWindow_.component = &HookHotKey;
  PPMenu_.emplace(p_, *this, config_, TrayIcon(), HookHotKey,
                  app::TrayIcons{iconHandle(runningIcon_), iconHandle(ImageStop)}, s,
                  systemTraits_);
  popupMenu_.emplace(*PPMenu_, trayIcon_.Handle(), mainForm_.handle());
  TrayIcon().PopupMenu = &*popupMenu_;
  // Hotkey, stopped presentation, radio item, display-mode submenu and PPAdminQ. A hotkey
  // that is taken, or a stored text that names no key, is simply not active; the text is
  // kept and saved as it was.
  PPMenu().setUp();
  if (PPMenu().visible(app::PPAdminQ)) popupMenu_->SetMenuShieldIcon();

  driver_.MActWinB = mainWindow();
  enterLayout(false);
  if (nonResident_) {
    timer_.setInterval(kNonResidentInterval);
  } else {
    timer_.setInterval(kResidentInterval);
    Proc_SetEventHook();
  }
  timer_.setEnabled(true);
}

void AppHost::Close() {
  // A close can come inside the tray menu's loop (the installer's WM_CLOSE, taskkill), which
  // would go on and swallow the quit: the menu ends first. The main loop also ends once it
  // sees the program closed, and a close that comes again posts the quit again.
  ::EndMenu();
  if (!closed_) {
    closed_ = true;
    FormCloseQuery();
  }
  ::PostQuitMessage(0);
}

void AppHost::FormCloseQuery() {
  std::u16string hotKeyText;
  runLogged(p_, [&] { hotKeyText = config_.close(); });
  if (!nonResident_) Proc_UnhookEvent();
  // Without a menu FormCreate failed before reading the settings: writing now would
  // replace the user's file with defaults.
  if (!hasMenu()) return;
  PPMenu().MHotKeyStop = hotKeyText;
  if (!hotKeyStop().empty()) HookHotKey.Delete(app::kStopHotKeyIndex);
  runLogged(p_, [&] {
    const std::u16string path = settingsPath(p_);
    // Not rewritten when it was oversized or could not be read.
    std::optional<IniFile> ini = loadIniFileForRewrite(p_, path);
    if (!ini) return;
    writeTraySettings(*ini, traySettings());
    saveIniFile(p_, *ini, path);
  });
}

void AppHost::FormDestroy() {
  timer_.setEnabled(false);
  Proc_UnhookEvent();
}

void AppHost::menuCommand(int id) {
  // Only an item the menu shows can be chosen.
  if (hasMenu() && PPMenu().shown(id)) PPMenu().click(static_cast<app::TrayMenuId>(id));
}

void AppHost::settingChanged(std::uintptr_t action) { noteSettingChange(state_.watch, action); }

void AppHost::dragEnded(Hwnd w) {
  // The hook only records: a notification can arrive while a sweep waits for another
  // window, and must not start moves in the middle of it.
  mainForm_.postDragEnded(w);
}

void AppHost::postedDragEnd(Hwnd w) {
  if (!hasMenu()) return;
  windowReturn_.userMoved(w);
  correction_.userMoved(w);
  Proc_MoveWindowSpeed(p_, monitors_, state_.tables,
                       DragState{driver_.MSnapRectB, driver_.DragStopwatch},
                       PPMenu().checked(app::PPMoveWindowSpeed), stopChecked(), w);
  Proc_Constraints(p_, correction_, monitors_, state_.lists.ListBoxD, stopChecked(),
                   PPMenu().MPPConstraintsC, w);
}

WindowReturn* AppHost::windowReturn() {
  // The one-shot run ends after its sweep: nothing it recorded could ever be put back.
  if (nonResident_) return nullptr;
  return hasMenu() && PPMenu().checked(app::PPReturnWindows) ? &windowReturn_ : nullptr;
}

void AppHost::enterLayout(bool putBack) {
  windowReturn_.enter(
      monitors_,
      [&](Hwnd w, WindowIdentity& identity) { return correction_.mayReturn(w, identity); },
      putBack);
}

void AppHost::layoutSettled() {
  // Also with the item off, so that the records follow the layouts once it is on again.
  enterLayout(windowReturn() != nullptr && !stopChecked());
  // The windows the change left off every monitor raise no event of their own.
  if (!nonResident_ && !stopChecked()) driver_.sweepEverything();
  settleUntilMs_ = p_.clock.nowMilliseconds() + kWorkAreaSettleMs;
}

void AppHost::postEarlyTick(std::uint32_t delayMs) {
  if (delayMs == 0) {
    mainForm_.postEarlyTick();
    return;
  }
  earlyTick_.setInterval(delayMs);
  earlyTick_.setEnabled(true);
}

Hwnd AppHost::mainWindow() { return win32::fromHwnd(mainForm_.handle()); }

Hwnd AppHost::dialogWindow() { return win32::fromHwnd(config_.handle()); }

void AppHost::showWorkAreaPage() {
  config_.selectPage(TabSheetWorkArea);
  if (hasMenu()) PPMenu().PPConfigClick();
}

void AppHost::onWinEvent(std::uint32_t event, Hwnd w, bool windowItself) {
  ui::runGuarded([&] { driver_.WinEventProc(event, w, windowItself); });
}

void AppHost::Proc_SetEventHook() {
  win32::setWinEventListener(this);
  hooks_.set();
}

bool AppHost::installHook(std::size_t index, const EventRange& range) {
  EventHook[index] = win32::hookWinEvents(range.min, range.max);
  return EventHook[index].valid();
}

void AppHost::logHookFailure(const std::u16string& message) { appendErrorLog(p_, message); }

void AppHost::TimerTimer() {
  hooks_.retry();
  // The resident tick, early or not, follows the settling in its check; the one-shot tick
  // asks for no check.
  if (nonResident_) watchWorkAreasSettle();
  driver_.TimerTimer();
}

bool AppHost::checkDesktopIfFlagged() {
  // The settling first: the watch's own check would otherwise take a late work area for the
  // user's change and ask about it.
  watchWorkAreasSettle();
  return watch_.checkIfFlagged();
}

void AppHost::watchWorkAreasSettle() {
  if (settleUntilMs_ == 0) return;
  if (p_.clock.nowMilliseconds() > settleUntilMs_) {
    settleUntilMs_ = 0;
    return;
  }
  if (workAreasMovedSince(p_, state_.tables)) displayChange_.workAreasSettled();
}

void AppHost::ApplicationEventsException(const std::u16string& message) {
  timer_.setEnabled(false);
  appendErrorLog(p_, message);
  // The rest is a timer, not a sleep: the program goes on answering the desktop and the
  // user meanwhile. A failure during the rest starts it again.
  exceptionPause_.setInterval(kExceptionPauseMs);
  exceptionPause_.setEnabled(true);
}

void AppHost::exceptionPauseEnded() {
  exceptionPause_.setEnabled(false);
  timer_.setEnabled(true);
}

}  // namespace rimfold::shell
