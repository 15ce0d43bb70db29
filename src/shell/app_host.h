// AppHost: the one object that owns the running program. It holds the state, the monitor
// list, the engine, the tray menu and the timers, builds them in the order each
// needs the others, and wires the windows' events to them. The windows (the hidden main
// form, the dialog, the tray icon) raise events and take orders; none calls another.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/tray_menu.h"
#include "display/display_change.h"
#include "engine/correction.h"
#include "engine/event_driver.h"
#include "engine/event_hooks.h"
#include "engine/host_capabilities.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_event_hook.h"
#include "settings/program_state.h"
#include "settings/settings_file.h"
#include "shell/config_form.h"
#include "shell/main_form.h"
#include "shell/tray_popup_menu.h"
#include "system/system_traits.h"
#include "ui/exception_guard.h"
#include "widgets/hook_hotkey.h"
#include "widgets/simple_timer_window.h"
#include "widgets/tray_icon_handler.h"
#include "workarea/work_area_watch.h"

namespace rimfold::shell {

inline constexpr std::uint32_t kResidentInterval = 250;
inline constexpr std::uint32_t kNonResidentInterval = 1000;
// How long after a display change the tables follow a work area that settles late: the
// taskbar was seen to take its new place 3 s after the change under Wine, with no message.
inline constexpr std::int64_t kWorkAreaSettleMs = 10000;

class AppHost final : public IMainFormEvents,
                      public IConfigFormEvents,
                      public IRunState,
                      public IHookSwitch,
                      public IDriverHost,
                      public IDisplayChangeHost,
                      public IWorkAreaDialog,
                      public app::ITrayMenuHost,
                      public IHookInstaller,
                      public ui::IExceptionSink,
                      public win32::IWinEventListener {
 public:
  AppHost(Platform& p, bool nonResident);
  ~AppHost() override;

  // The main form's window, the tray icon and FormCreate, then the dialog's window, which
  // needs the hotkey text FormCreate read. False when the main window could not be made;
  // a failure after that is logged and the start goes on.
  bool start();
  // The close command: FormCloseQuery, then the message loop is told to end. It always
  // completes, and runs once: a save that fails is logged and the others still run.
  void Close();
  // The close has run: its saves are done and the program is to end.
  bool closed() const noexcept { return closed_; }

  // IRunState
  bool nonResident() override { return nonResident_; }
  bool stopChecked() override { return PPMenu_ && PPMenu_->checked(app::PPStop); }
  bool dispDialogChecked() override { return PPMenu_ && PPMenu_->checked(app::PPDispDialog); }
  void setTrayEnabled(bool on) override { TrayIcon().Enabled = on; }

  // IHookSwitch
  bool hookInstalled() const override { return hooks_.wanted(); }
  void Proc_SetEventHook() override;
  void Proc_UnhookEvent() override { hooks_.unhook(); }

  // IDriverHost
  bool checkDesktopIfFlagged() override;
  void dragEnded(Hwnd w) override;
  void closeMainForm() override { Close(); }
  WindowReturn* windowReturn() override;
  void postEarlyTick(std::uint32_t delayMs) override;

  // IDisplayChangeHost and ITrayMenuHost
  Hwnd mainWindow() override;
  bool configCheckDesktop(bool v) override { return watch_.Func_CheckDesktop(v); }
  void layoutSettled() override;

  // IWorkAreaDialog: the watch's view of the dialog.
  Hwnd dialogWindow() override;
  void refreshEdgeCaptions() override { config_.refreshEdgeCaptions(); }
  void showWorkAreaPage() override;

  // IHookInstaller
  bool installHook(std::size_t index, const EventRange& range) override;
  void removeHook(std::size_t index) override { EventHook[index].reset(); }
  void logHookFailure(const std::u16string& message) override;

  // IExceptionSink: log the failure and let the program go on.
  void ApplicationEventsException(const std::u16string& message) override;

  // The hooks' reports reach the driver.
  void onWinEvent(std::uint32_t event, Hwnd w, bool windowItself) override;

  // What the tests look at.
  ProgramState& state() noexcept { return state_; }
  TMainForm& mainForm() noexcept { return mainForm_; }
  TConfigForm& configForm() noexcept { return config_; }
  // The tray menu exists from FormCreate on, which reads its stored state; check
  // hasMenu() where FormCreate may not have got that far.
  bool hasMenu() const noexcept { return PPMenu_.has_value(); }
  app::TrayMenu& PPMenu() { return *PPMenu_; }
  const app::TrayMenu& PPMenu() const { return *PPMenu_; }
  const std::u16string& hotKeyStop() const { return PPMenu().MHotKeyStop; }
  TCoolTrayIcon& TrayIcon() { return trayIcon_.component(); }
  const ITimer& timer() const noexcept { return timer_; }
  const ITimer& exceptionPause() const noexcept { return exceptionPause_; }
  std::uint32_t timerInterval() const noexcept { return timer_.Interval(); }
  EventDriver& driver() noexcept { return driver_; }
  DisplayChange& displayChange() noexcept { return displayChange_; }

 private:
  // The main form's events.
  // Inertial movement, then the minimum-size limit, for a drag that has ended.
  void postedDragEnd(Hwnd w) override;
  void displayChanged() override { displayChange_.WMDisplayChange(); }
  void menuCommand(int id) override;
  void closeAsked() override { Close(); }
  void sessionEnding() override { Close(); }
  void taskbarCreated() override { TrayIcon().TaskbarCreated(); }
  void earlyTickPosted() override { driver_.earlyTick(); }
  // The dialog's events: the work-area watch's flag.
  void sizeLimitsAsked() override { state_.watch.FWMGETMINMAXINFO = true; }
  void settingChanged(std::uintptr_t action) override;

  void loadIcons();
  void createTrayIcon();
  void FormCreate();
  void FormCloseQuery();
  void FormDestroy();
  void TimerTimer();
  void exceptionPauseEnded();
  // The layout now in force to the window records; the windows put back when asked.
  void enterLayout(bool putBack);
  // Until settleUntilMs_, after a display change, the tables follow a work area that
  // settles late.
  void watchWorkAreasSettle();
  TraySettings traySettings() const { return PPMenu().settings(); }

  Platform& p_;
  const bool nonResident_;
  ProgramState state_;
  MonitorList monitors_;
  SystemTraits systemTraits_;  // read in FormCreate
  bool closed_ = false;
  std::int64_t settleUntilMs_ = 0;
  // The timers' shared window outlives them. The callbacks run only from the message loop,
  // after everything below is built.
  widgets::SimpleTimerWindow timerWindow_;
  TSimpleTimer timer_{500, [this](TSimpleTimer&) { TimerTimer(); }};  // replaced before it runs
  TSimpleTimer dispChangeTimer_{1000,
                                [this](TSimpleTimer&) { displayChange_.TimerDispChangeTimer(); }};
  TSimpleTimer checkTimer_{1000, [this](TSimpleTimer&) { watch_.TimerCheckTimer(); }};
  // An early tick that must wait for the rest of its frame.
  TSimpleTimer earlyTick_{kEarlyTickSpacingMs, [this](TSimpleTimer& t) {
                            t.setEnabled(false);
                            driver_.earlyTick();
                          }};
  // The polling timer's rest after a caught failure.
  TSimpleTimer exceptionPause_{1000, [this](TSimpleTimer&) { exceptionPauseEnded(); }};
  TConfigForm config_;
  CorrectionEngine correction_;
  WindowReturn windowReturn_;
  EventDriver driver_;
  DisplayChange displayChange_;
  WorkAreaWatch watch_;
  std::array<win32::UniqueWinEventHook, kHookedEvents.size()> EventHook;
  EventHooks hooks_{*this};
  widgets::HotKeyWindow hotKeyWindow_;
  THookHotKey HookHotKey{hotKeyWindow_};
  // The tray's running and stopped pictures, each the image drawn at the size the shell
  // shows, so that none is resampled. They outlive the tray entry that shows them.
  win32::UniqueIcon runningIcon_;
  win32::UniqueIcon ImageStop;
  widgets::TrayIconOwner trayIcon_;
  std::optional<TrayPopupMenu> popupMenu_;
  std::optional<app::TrayMenu> PPMenu_;
  TMainForm mainForm_{*this};
};

}  // namespace rimfold::shell
