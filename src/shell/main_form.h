// TMainForm: the hidden main window. It is never shown and has no taskbar button; it
// carries the polling timer, the win-event hook and the program's close path, and it is
// the host the event driver asks about modes, the stop state and the timer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/exception_guard.h"
#include "settings/settings_file.h"
#include "ui/window_base.h"
#include "widgets/hook_hotkey.h"
#include "widgets/simple_timer_window.h"
#include "app/tray_menu.h"
#include "widgets/tray_icon_handler.h"
#include "shell/tray_popup_menu.h"
#include "display/display_change.h"
#include "engine/correction.h"
#include "engine/event_driver.h"
#include "engine/event_hooks.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "platform/win32/win32_event_hook.h"
#include "platform/win32/unique_handle.h"
#include "workarea/work_area_watch.h"

namespace rimfold::app {

class TConfigForm;

inline constexpr wchar_t kMainFormClass[] = L"TMainForm";
inline constexpr UINT kResidentInterval = 250;
// How long after a display change the tables follow a work area that settles late: the
// taskbar was seen to take its new place 3 s after the change under Wine, with no message.
inline constexpr std::int64_t kWorkAreaSettleMs = 10000;
inline constexpr UINT kNonResidentInterval = 1000;
// Posted by the hook's drag-end record: wParam is the dragged window.
inline constexpr UINT kMsgDragEnded = WM_APP + 1;

class TMainForm final : public WindowBase,
                        public IDriverHost,
                        public IExceptionSink,
                        public ITrayMenuHost,
                        public IDisplayChangeHost,
                        public IWorkAreaWatchHost,
                        public IHookInstaller,
                        public win32::IWinEventListener {
 public:
  TMainForm(Platform& p, ProgramState& state, MonitorList& monitors, TConfigForm& config,
            bool nonResident);
  ~TMainForm() override;

  // Creates the hidden window and runs FormCreate. False when the window could not be made.
  bool create();
  // The close command: FormCloseQuery, then the message loop is told to end. It always
  // completes, and runs once: a save that fails is logged and the others still run.
  void Close();
  // The close has run: its saves are done and the program is to end.
  bool closed() const noexcept { return closed_; }

  // IDriverHost (and the display-change and work-area hosts)
  bool nonResident() override { return nonResident_; }
  bool stopChecked() override { return PPMenu_ && PPMenu_->checked(PPStop); }
  void setTimerEnabled(bool on) override;
  bool checkDesktopIfFlagged() override;
  // Posts the drag-end work to this window; it runs from the window procedure.
  void dragEnded(Hwnd w) override;
  void closeMainForm() override { Close(); }
  WindowReturn* windowReturn() override;

  // ITrayMenuHost
  Hwnd mainWindow() override;

  // IDisplayChangeHost
  bool dispDialogChecked() override { return PPMenu_ && PPMenu_->checked(PPDispDialog); }
  void setTrayEnabled(bool on) override { TrayIcon().Enabled = on; }
  bool dispChangeTimerEnabled() override { return dispChangeTimer_.Enabled(); }
  void setDispChangeTimerEnabled(bool on) override { dispChangeTimer_.setEnabled(on); }
  void setDispChangeTimerInterval(std::uint32_t ms) override { dispChangeTimer_.setInterval(ms); }
  bool configCheckDesktop(bool v) override;
  void layoutSettled() override;

  // IWorkAreaWatchHost
  void startCheckTimer(std::uint32_t intervalMs) override;
  void stopCheckTimer() override;
  void showWorkAreaPage() override;

  // IExceptionSink: log the failure and let the program go on.
  void ApplicationEventsException(const std::u16string& message) override;

  // The hooks' reports reach the driver.
  void onWinEvent(std::uint32_t event, Hwnd w, bool windowItself) override;

  void Proc_SetEventHook() override;
  void Proc_UnhookEvent() override;

  // IHookInstaller
  bool installHook(std::size_t index, const EventRange& range) override;
  void removeHook(std::size_t index) override;
  void logHookFailure(const std::u16string& message) override;

  TraySettings traySettings() const { return PPMenu().settings(); }
  const std::u16string& hotKeyStop() const { return PPMenu().MHotKeyStop; }
  // The tray menu exists from FormCreate on, which reads its stored state; check
  // hasMenu() where FormCreate may not have got that far.
  bool hasMenu() const noexcept { return PPMenu_.has_value(); }
  TrayMenu& PPMenu() { return *PPMenu_; }
  const TrayMenu& PPMenu() const { return *PPMenu_; }
  TCoolTrayIcon& TrayIcon() { return trayIcon_.component(); }
  HWND trayHandle() const noexcept { return trayIcon_.Handle(); }
  bool timerEnabled() const noexcept { return timer_.Enabled(); }
  std::uint32_t timerInterval() const noexcept { return timer_.Interval(); }
  // Set up: installed, or refused by the system and asked for again at every tick.
  bool hookInstalled() const noexcept override { return hooks_.wanted(); }
  EventDriver& driver() noexcept { return driver_; }
  DisplayChange& displayChange() noexcept { return displayChange_; }

 private:
  void FormCreate();
  void loadIcons();
  void createTrayIcon();
  void FormCloseQuery();
  void FormDestroy();
  void TimerTimer();

  bool onMessage(Message& m) override;
  void WMClose(Message& m);
  void WMQueryEndSession(Message& m);
  void WMEndSession(Message& m);
  void WMCommand(Message& m);
  void WMDisplayChange(Message& m);
  void WMDragEnded(Message& m);
  // Inertial movement, then the minimum-size limit, for a drag that has ended.
  void dragEndWork(Hwnd w);
  // The layout now in force to the window records; the windows put back when asked.
  void enterLayout(bool putBack);

  Platform& p_;
  MonitorList& monitors_;
  TConfigForm& config_;
  ProgramState& state_;
  const bool nonResident_;
  SystemTraits systemTraits_;  // read in FormCreate
  bool closed_ = false;
  // Until then, after a display change, the tables follow a work area that settles late.
  std::int64_t settleUntilMs_ = 0;
  void watchWorkAreasSettle();
  CorrectionEngine correction_;
  WindowReturn windowReturn_{p_};
  EventDriver driver_;
  DisplayChange displayChange_;
  WorkAreaWatch watch_;
  std::array<win32::UniqueWinEventHook, kHookedEvents.size()> EventHook;
  EventHooks hooks_{*this};
  HotKeyWindow hotKeyWindow_;
  THookHotKey HookHotKey{hotKeyWindow_};
  // The icons outlive the tray entry that shows them.
  win32::UniqueIcon formIcon_;     // the form's own 32 x 32 icon
  // The tray's running and stopped pictures, each the image drawn at the size the shell
  // shows, so that none is resampled.
  win32::UniqueIcon runningIcon_;
  win32::UniqueIcon ImageStop;
  SimpleTimerWindow timerWindow_;
  TrayIconOwner trayIcon_;
  std::optional<TrayPopupMenu> popupMenu_;
  std::optional<TrayMenu> PPMenu_;
  UINT taskbarCreated_ = 0;
  // On the shared timer window, which outlives them. A disabled timer does not tick, even
  // for a WM_TIMER queued before it was stopped.
  TSimpleTimer timer_{500, [this](TSimpleTimer&) { TimerTimer(); }};  // replaced before it runs
  TSimpleTimer dispChangeTimer_{1000, [this](TSimpleTimer&) { displayChange_.TimerDispChangeTimer(); }};
  TSimpleTimer checkTimer_{1000, [this](TSimpleTimer&) { watch_.TimerCheckTimer(); }};
};

}  // namespace rimfold::app
