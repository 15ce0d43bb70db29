// The pause around a display-configuration change: correction stops, a countdown box (or a
// silent ten seconds) lets the display settle, then the monitor tables are rebuilt.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/host_capabilities.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "rtl/ui_text.h"
#include "platform/timer.h"

namespace rimfold {

inline constexpr std::uint32_t kDisplayChangeStyle =
    kMbOk | kMbIconInformation | kMbSystemModal;  // 0x1040
inline constexpr std::int32_t kDisplayChangeSeconds = 10;
inline constexpr std::uint32_t kDispChangeTimerIntervalMs = 1000;
inline constexpr std::uint32_t kSilentPauseStepMs = 500;

// "Rimfold - (10秒)" in the language now in force: the countdown box is found again only by
// this caption. Its text is UiText::DisplayChangeText.
std::u16string countdownCaption(std::int32_t seconds);

// The dialog's monitor page, rebuilt for the new layout.
class IMonitorPage {
 public:
  virtual void Proc_MonitorInitial() = 0;

 protected:
  ~IMonitorPage() = default;
};

// What the handling asks of the program around it, besides the run state, the hook and
// the timers.
class IDisplayChangeHost {
 public:
  virtual Hwnd mainWindow() = 0;
  virtual bool configCheckDesktop(bool v) = 0;  // the work-area watch's check
  // The new layout is in force and the tables follow it: windows may go back to it.
  virtual void layoutSettled() = 0;

 protected:
  ~IDisplayChangeHost() = default;
};

// What the pause switches off and on again.
struct DisplayChangeParts {
  IRunState& run;
  IHookSwitch& hook;
  ITimer& timer;      // the polling Timer
  ITimer& countdown;  // TimerDispChange
};

class DisplayChange {
 public:
  DisplayChange(Platform& p, MonitorList& monitors, IDisplayChangeHost& host, IMonitorPage& page,
                DisplayChangeParts parts);

  bool Func_ScreenChanged() { return rimfold::Func_ScreenChanged(p_.input, MScreenB); }
  // WM_DISPLAYCHANGE. A failure still restores the tray icon, the polling timer and the
  // hook before it reaches the caller.
  void WMDisplayChange();
  void TimerDispChangeTimer();
  // A work area that settled after the pause (the taskbar moved a moment later): the
  // tables once more, without a question, and the layout entered again.
  void workAreasSettled();

  ScreenSnapshot MScreenB{};
  std::int32_t MTimerDispChangeC = 0;

 private:
  void pause();
  void resume();
  void listenAgain();  // tray icon, polling timer and hook back on
  void rebuildTables();

  Platform& p_;
  MonitorList& monitors_;
  IDisplayChangeHost& host_;
  IMonitorPage& page_;
  DisplayChangeParts parts_;
};

}  // namespace rimfold
