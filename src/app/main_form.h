// TMainForm: the hidden main window. It owns the polling timer, the win-event hook, the
// engine's driver state and the menu check states, and it answers Windows' end of session.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/exception_guard.h"
#include "app/model/settings_file.h"
#include "app/window_base.h"
#include "config/ui/config_form.h"
#include "engine/correction.h"
#include "engine/event_driver.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::app {

inline constexpr wchar_t kMainFormClass[] = L"TMainForm";

// The check states of the tray menu's items. The menu itself is built by the tray
// issue; until then these flags are the items' state and Rimfold.ini reads and writes them.
struct MenuChecks {
  bool PPStop = false;
  bool PPDispDialog = true;
  bool PPMoveWindowSpeed = false;
};

class TMainForm final : public WindowBase, public IDriverHost, public IExceptionSink {
 public:
  TMainForm(Platform& p, bool nonResident);
  ~TMainForm() override;

  // Creates the window and runs FormCreate; then the dialog is created.
  bool create();
  // The close command: FormCloseQuery, then the window goes and the loop ends.
  void close();

  // IDriverHost
  bool nonResident() override { return nonResident_; }
  bool stopChecked() override { return checks_.PPStop; }
  void setTimerEnabled(bool on) override;
  bool checkDesktopIfFlagged() override;
  void dragEnded(Hwnd w) override;
  void closeMainForm() override { close(); }

  // IExceptionSink
  void ApplicationEventsException(const std::u16string& message) override;

 private:
  void FormCreate();
  void FormCloseQuery();
  void FormDestroy();
  void Proc_SetEventHook();
  void Proc_UnhookEvent();
  static void CALLBACK WinEventProc(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject,
                                    LONG idChild, DWORD eventThread, DWORD eventTime);

  bool onMessage(Message& m) override;
  void WMTimer(Message& m);
  void WMClose(Message& m);
  void WMQueryEndSession(Message& m);
  void WMEndSession(Message& m);
  void WMDestroy(Message& m);

  Platform& p_;
  const bool nonResident_;
  MonitorList monitors_;  // the long-lived monitor list
  TConfigForm configForm_;
  CorrectionEngine correction_;
  EventDriver driver_;
  MenuChecks checks_;
  std::int32_t MPPConstraintsC = 0;
  std::u16string MHotKeyStop;
  std::array<std::int32_t, 5> MScreenB{};
  UINT timerInterval_ = 500;
  bool timerEnabled_ = false;
  bool closed_ = false;
  win32::UniqueWinEventHook EventHook;
};

}  // namespace rimfold::app
