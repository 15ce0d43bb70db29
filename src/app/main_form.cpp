#include "app/main_form.h"

#include "app/message_loop.h"
#include "app/model/error_log.h"
#include "engine/drag_features.h"
#include "platform/win32/win32_convert.h"
#include "system/uac_check.h"
#include "system/wow64.h"
#include "workarea/work_area.h"

namespace rimfold::app {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kResidentInterval = 250;
constexpr UINT kNonResidentInterval = 1000;

// The out-of-context hook calls back on this thread, with no context of its own.
TMainForm* gHookTarget = nullptr;
EventDriver* gHookDriver = nullptr;

}  // namespace

TMainForm::TMainForm(Platform& p, bool nonResident)
    : p_(p),
      nonResident_(nonResident),
      monitors_(p.windows),
      configForm_(p, monitors_),
      correction_(p, configForm_.state(), monitors_),
      driver_(p, correction_, *this) {}

TMainForm::~TMainForm() {
  setExceptionSink(nullptr);
  gHookTarget = nullptr;
  gHookDriver = nullptr;
  destroyWindow();
}

bool TMainForm::create() {
  setExceptionSink(this);
  // A plain overlapped window that is never shown: no taskbar button, no tray of its own.
  if (createWindow({kMainFormClass, L"Rimfold", WS_OVERLAPPED, WS_EX_TOOLWINDOW, 0, 0, 0, 0}) ==
      nullptr) {
    return false;
  }
  runGuarded([&] { FormCreate(); });
  return true;
}

void TMainForm::FormCreate() {
  InitWow64(p_);
  CheckUAC(p_);
  GMonitorCount = monitors_.count();
  // The first screen snapshot; display-change handling compares against it.
  MScreenB = {p_.input.getSystemMetrics(kSmCMonitors),
              p_.input.getSystemMetrics(kSmYVirtualScreen),
              p_.input.getSystemMetrics(kSmXVirtualScreen),
              p_.input.getSystemMetrics(kSmCxVirtualScreen),
              p_.input.getSystemMetrics(kSmCyVirtualScreen)};

  const TraySettings s = readTraySettings(loadIniFile(p_, settingsPath()));
  MHotKeyStop = s.HotKeyStop;
  checks_.PPStop = s.Stop;
  checks_.PPDispDialog = s.DispDialog;
  checks_.PPMoveWindowSpeed = s.MoveWindowSpeed;
  MPPConstraintsC = s.Constraints;

  driver_.MActWinB = win32::fromHwnd(handle());
  if (nonResident_) {
    timerInterval_ = kNonResidentInterval;
  } else {
    timerInterval_ = kResidentInterval;
    Proc_SetEventHook();
  }
  configForm_.create(MHotKeyStop);
  setTimerEnabled(true);
}

void TMainForm::close() {
  if (closed_) return;
  FormCloseQuery();
  closed_ = true;
  destroyWindow();
}

void TMainForm::FormCloseQuery() {
  setTimerEnabled(false);
  MHotKeyStop = configForm_.close();
  if (!nonResident_) Proc_UnhookEvent();

  IniFile ini = loadIniFile(p_, settingsPath());
  writeTraySettings(ini, TraySettings{checks_.PPStop, checks_.PPDispDialog,
                                      checks_.PPMoveWindowSpeed, MPPConstraintsC, MHotKeyStop});
  saveIniFile(p_, ini, settingsPath());
}

void TMainForm::FormDestroy() {
  // The taskbar-list object of the dialog is released here once the dialog has one.
}

void TMainForm::setTimerEnabled(bool on) {
  if (handle() == nullptr) return;
  if (on) {
    timerEnabled_ = ::SetTimer(handle(), kTimerId, timerInterval_, nullptr) != 0;
  } else {
    ::KillTimer(handle(), kTimerId);
    timerEnabled_ = false;
  }
}

bool TMainForm::checkDesktopIfFlagged() {
  // The work-area watch that answers this flag is not built yet: the flag is consumed so
  // that it cannot pile up, and the tick goes on.
  configForm_.state().FWMGETMINMAXINFO = false;
  return false;
}

void TMainForm::dragEnded(Hwnd w) {
  Proc_MoveWindowSpeed(p_, monitors_, configForm_.state().MWorkArea,
                       DragState{driver_.MSnapRectB, driver_.DragStopwatch},
                       checks_.PPMoveWindowSpeed, checks_.PPStop, w);
  Proc_Constraints(p_, correction_, monitors_, configForm_.state().ListBoxD, checks_.PPStop,
                   MPPConstraintsC, w);
}

void TMainForm::Proc_SetEventHook() {
  if (EventHook) return;
  gHookTarget = this;
  gHookDriver = &driver_;
  EventHook.reset(::SetWinEventHook(EVENT_MIN, 0x7FFFFFFF, nullptr, &TMainForm::WinEventProc, 0,
                                    0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

void TMainForm::Proc_UnhookEvent() { EventHook.reset(); }

void CALLBACK TMainForm::WinEventProc(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG, LONG, DWORD,
                                      DWORD) {
  if (gHookDriver == nullptr) return;
  runGuarded([&] { gHookDriver->WinEventProc(event, win32::fromHwnd(hwnd)); });
}

void TMainForm::ApplicationEventsException(const std::u16string& message) {
  setTimerEnabled(false);
  appendErrorLog(p_, message);
  processMessages();
  ::Sleep(1000);
  setTimerEnabled(true);
}

bool TMainForm::onMessage(Message& m) {
  static constexpr MessageEntry<TMainForm> kMessages[] = {
      {WM_TIMER, &TMainForm::WMTimer},
      {WM_CLOSE, &TMainForm::WMClose},
      {WM_QUERYENDSESSION, &TMainForm::WMQueryEndSession},
      {WM_ENDSESSION, &TMainForm::WMEndSession},
      {WM_DESTROY, &TMainForm::WMDestroy},
  };
  return dispatchMessage(*this, kMessages, m);
}

void TMainForm::WMTimer(Message& m) {
  if (m.wParam == kTimerId) driver_.TimerTimer();
}

void TMainForm::WMClose(Message&) { close(); }

void TMainForm::WMQueryEndSession(Message& m) {
  // The settings are saved before Windows goes on; the close query never refuses.
  close();
  m.result = TRUE;
}

void TMainForm::WMEndSession(Message& m) {
  m.result = 1;
  defaultProc(m);
}

void TMainForm::WMDestroy(Message&) {
  FormDestroy();
  ::PostQuitMessage(0);
}

}  // namespace rimfold::app
