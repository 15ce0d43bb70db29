#include "display/display_change.h"

#include <iterator>

#include "engine/window_ops.h"
#include "rtl/text_utils.h"

namespace rimfold {

std::u16string countdownCaption(std::int32_t seconds) {
  return u"Rimfold - (" + toDecimal(seconds) + u"秒)";
}

DisplayChange::DisplayChange(Platform& p, MonitorList& monitors, IDisplayChangeHost& host,
                             IMonitorPage& page)
    : p_(p), monitors_(monitors), host_(host), page_(page) {}

void DisplayChange::WMDisplayChange() {
  // A change of colour depth alone, or a repeated notice of the same layout.
  if (!Func_ScreenChanged()) return;
  try {
    if (host_.dispChangeTimerEnabled()) {
      // A newer change replaces the countdown of an earlier one that is still up.
      host_.setDispChangeTimerEnabled(false);
      const Hwnd earlier = Func_FindDialogBox(p_, countdownCaption(MTimerDispChangeC));
      if (earlier != 0) {
        Func_ForceForeground(p_, earlier);
        p_.windows.sendClose(earlier);
      }
    }
    pause();
    resume();
  } catch (...) {
    // Leave the program able to hear the user and the desktop again; the caller logs.
    try {
      host_.setDispChangeTimerEnabled(false);
      listenAgain();
    } catch (...) {
      // The first failure is the one worth logging.
    }
    throw;
  }
}

void DisplayChange::pause() {
  host_.setTimerEnabled(false);
  host_.setTrayEnabled(false);
  if (!host_.nonResident() && host_.hookInstalled()) host_.Proc_UnhookEvent();
  // The main form's monitor may be one the list has not seen yet: then it reads them anew.
  Func_MonitorIndexOf(p_, monitors_, host_.mainWindow());
  MTimerDispChangeC = kDisplayChangeSeconds;
  host_.setDispChangeTimerInterval(kDispChangeTimerIntervalMs);
  if (host_.dispDialogChecked()) {
    host_.setDispChangeTimerEnabled(true);
    // Owned by no window: when it closes, activation must not go to the hidden main form,
    // where the user's keystrokes would vanish.
    p_.windows.messageBox(0, kDisplayChangeText, countdownCaption(MTimerDispChangeC),
                          kDisplayChangeStyle);
  } else {
    // Blocks the message loop: nothing is handled until the display has settled.
    for (std::int32_t i = 0; i < 2 * MTimerDispChangeC; ++i) p_.clock.sleep(kSilentPauseStepMs);
  }
}

void DisplayChange::resume() {
  host_.setDispChangeTimerEnabled(false);
  rebuildTables();
  host_.configCheckDesktop(false);
  host_.layoutSettled();
  listenAgain();
}

void DisplayChange::rebuildTables() {
  // The tables are rebuilt against the new layout, so the long-lived list must know it too.
  monitors_.refresh();
  page_.Proc_MonitorInitial();
}

void DisplayChange::workAreasSettled() {
  rebuildTables();
  host_.layoutSettled();
}

void DisplayChange::listenAgain() {
  host_.setTrayEnabled(true);
  host_.setTimerEnabled(true);
  if (!host_.nonResident() && !host_.hookInstalled()) host_.Proc_SetEventHook();
}

void DisplayChange::TimerDispChangeTimer() {
  const Hwnd box = Func_FindDialogBox(p_, countdownCaption(MTimerDispChangeC));
  if (box == 0 && MTimerDispChangeC > 0) {
    // The user has closed it already.
    host_.setDispChangeTimerEnabled(false);
    return;
  }
  --MTimerDispChangeC;
  if (box != 0) p_.windows.setWindowText(box, countdownCaption(MTimerDispChangeC));
  if (MTimerDispChangeC < 1) {
    host_.setDispChangeTimerEnabled(false);
    // Its own OK button: a keystroke could land in another program if the box is not in front.
    if (box != 0) p_.windows.sendCommand(box, kIdOk);
  }
}

}  // namespace rimfold
