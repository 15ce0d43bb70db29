#include "display/display_change.h"

#include <iterator>

#include "engine/window_ops.h"
#include "rtl/text_utils.h"

namespace rimfold {

std::u16string countdownCaption(std::int32_t seconds) {
  return u"Rimfold - (" + toDecimal(seconds) + uiText(UiText::CountdownSeconds) + u")";
}

DisplayChange::DisplayChange(Platform& p, MonitorList& monitors, IDisplayChangeHost& host,
                             IMonitorPage& page, DisplayChangeParts parts)
    : p_(p), monitors_(monitors), host_(host), page_(page), parts_(parts) {}

void DisplayChange::WMDisplayChange() {
  // A change of colour depth alone, or a repeated notice of the same layout.
  if (!Func_ScreenChanged()) return;
  try {
    if (parts_.countdown.Enabled()) {
      // A newer change replaces the countdown of an earlier one that is still up.
      parts_.countdown.setEnabled(false);
      const Hwnd earlier = findDialogBox(p_, countdownCaption(MTimerDispChangeC));
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
      parts_.countdown.setEnabled(false);
      listenAgain();
    } catch (...) {
      // The first failure is the one worth logging.
    }
    throw;
  }
}

void DisplayChange::pause() {
  parts_.timer.setEnabled(false);
  parts_.run.setTrayEnabled(false);
  if (!parts_.run.nonResident() && parts_.hook.hookInstalled()) parts_.hook.Proc_UnhookEvent();
  // The main form's monitor may be one the list has not seen yet: then it reads them anew.
  Func_MonitorIndexOf(p_, monitors_, host_.mainWindow());
  MTimerDispChangeC = kDisplayChangeSeconds;
  parts_.countdown.setInterval(kDispChangeTimerIntervalMs);
  if (parts_.run.dispDialogChecked()) {
    parts_.countdown.setEnabled(true);
    // Owned by no window: when it closes, activation must not go to the hidden main form,
    // where the user's keystrokes would vanish.
    p_.windows.messageBox(0, uiText(UiText::DisplayChangeText), countdownCaption(MTimerDispChangeC),
                          kDisplayChangeStyle);
  } else {
    // Blocks the message loop: nothing is handled until the display has settled.
    for (std::int32_t i = 0; i < 2 * MTimerDispChangeC; ++i) p_.clock.sleep(kSilentPauseStepMs);
  }
}

void DisplayChange::resume() {
  parts_.countdown.setEnabled(false);
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
  parts_.run.setTrayEnabled(true);
  parts_.timer.setEnabled(true);
  if (!parts_.run.nonResident() && !parts_.hook.hookInstalled()) parts_.hook.Proc_SetEventHook();
}

void DisplayChange::TimerDispChangeTimer() {
  const Hwnd box = findDialogBox(p_, countdownCaption(MTimerDispChangeC));
  if (box == 0 && MTimerDispChangeC > 0) {
    // The user has closed it already.
    parts_.countdown.setEnabled(false);
    return;
  }
  --MTimerDispChangeC;
  if (box != 0) p_.windows.setWindowText(box, countdownCaption(MTimerDispChangeC));
  if (MTimerDispChangeC < 1) {
    parts_.countdown.setEnabled(false);
    // Its own OK button: a keystroke could land in another program if the box is not in front.
    if (box != 0) p_.windows.sendCommand(box, kIdOk);
  }
}

}  // namespace rimfold
