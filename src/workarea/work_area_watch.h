// The work-area watch: notices that the system work area of a monitor has moved away from
// both its last seen value and the user's setting, and asks once whether to set it again.
#pragma once

#include <cstdint>
#include <string>

#include "settings/program_state.h"
#include "engine/host_capabilities.h"
#include "engine/monitor_list.h"
#include "platform/platform.h"
#include "rtl/ui_text.h"
#include "platform/timer.h"

namespace rimfold {

// "Rimfold - 作業領域の確認" in the language now in force: the question is found again by it.
inline const char16_t* workAreaQuestionCaption() { return uiText(UiText::WorkAreaQuestionCaption); }
inline constexpr std::uint32_t kWorkAreaQuestionStyle =
    kMbYesNo | kMbIconExclamation | kMbSystemModal;  // 0x1034
// Unanswered for this long, the question closes itself with No.
inline constexpr std::uint32_t kCheckTimerIntervalMs = 10000;
// WM_SETTINGCHANGE's wParam when the work area has changed.
inline constexpr std::uintptr_t kSpiSetWorkArea = 0x002F;

// The dialog's WM_SETTINGCHANGE. The system sends no WM_GETMINMAXINFO to a hidden window
// whose size stays, so a work-area change raises the watch's flag here.
void noteSettingChange(WatchState& watch, std::uintptr_t action);

// What the watch asks of the dialog, whose window owns its question.
class IWorkAreaDialog {
 public:
  virtual Hwnd dialogWindow() = 0;
  // The four group-box captions of the monitor selected in CBMonitor, from MDesktop.
  virtual void refreshEdgeCaptions() = 0;
  // The page "[作業領域(&K)]" made active, then PPConfigClick: returns when the dialog closes.
  virtual void showWorkAreaPage() = 0;

 protected:
  ~IWorkAreaDialog() = default;
};

// What the question switches off while it is open, and its own timer.
struct WorkAreaWatchParts {
  IRunState& run;
  ITimer& timer;  // the polling Timer
  ITimer& check;  // TimerCheck: closes an unanswered question
};

class WorkAreaWatch {
 public:
  WorkAreaWatch(Platform& p, WatchState& state, MonitorTables& tables, const WindowLists& lists,
                MonitorList& monitors, IWorkAreaDialog& dialog, WorkAreaWatchParts parts);

  // v true: the periodic check after WM_GETMINMAXINFO; true when a monitor's work area
  // changed. v false: the question after a display change, without details; always true.
  bool Func_CheckDesktop(bool v);
  // The start of a polling tick: a raised flag is lowered and the check runs; true ends
  // the tick.
  bool checkIfFlagged();
  // TimerCheck's tick: the question still open after ten seconds is answered No.
  void TimerCheckTimer();

 private:
  bool foregroundSuppressesCheck();
  // The button that closed the question; 0 when none was asked.
  int ask(const std::u16string& text);

  Platform& p_;
  WatchState& state_;
  MonitorTables& tables_;
  const WindowLists& lists_;
  MonitorList& monitors_;
  IWorkAreaDialog& dialog_;
  WorkAreaWatchParts parts_;
};

}  // namespace rimfold
