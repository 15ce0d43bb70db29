#include "workarea/work_area_watch.h"

#include <algorithm>
#include <array>

#include "settings/window_lists.h"
#include "engine/window_facts.h"
#include "engine/window_predicates.h"
#include "engine/window_ops.h"
#include "rtl/text_utils.h"

namespace rimfold {

namespace {

// "[作業領域] [(0,0)-(1040,1920)]": the vertical coordinate of each corner first.
std::u16string edgesLine(std::u16string_view label, const TWorkAreaEdges& e) {
  return std::u16string(label) + u" [(" + toDecimal(e.Top) + u"," + toDecimal(e.Left) + u")-(" +
         toDecimal(e.Bottom) + u"," + toDecimal(e.Right) + u")]";
}

}  // namespace

void noteSettingChange(WatchState& watch, std::uintptr_t action) {
  if (action == kSpiSetWorkArea) watch.FWMGETMINMAXINFO = true;
}

WorkAreaWatch::WorkAreaWatch(Platform& p, WatchState& state, MonitorTables& tables,
                             const WindowLists& lists, MonitorList& monitors,
                             IWorkAreaDialog& dialog, WorkAreaWatchParts parts)
    : p_(p),
      state_(state),
      tables_(tables),
      lists_(lists),
      monitors_(monitors),
      dialog_(dialog),
      parts_(parts) {}

bool WorkAreaWatch::foregroundSuppressesCheck() {
  bool screenSaver = false;
  if (p_.input.getScreenSaverRunning(screenSaver) && screenSaver) return true;
  const Hwnd w = p_.windows.getForegroundWindow();
  if (w == 0) return true;
  WindowFacts f(p_, w);
  // Only a window that qualifies as a target can veto; the desktop itself does not.
  TRect r;
  const bool target = Func_IsTargetWindow(f, true) && f.rect(r);
  if (target && (!f.enabled() || Func_IsTopmost(p_, w) || Func_IsBareStyle(f) || f.style() == 0)) {
    return true;
  }
  // Any one reason suppresses the check, so the exclusion test, which needs the program
  // path, waits until the cheaper ones have found none; the monitor lookup that may read the
  // monitors again stays behind it.
  if (isExcluded(lists_.ListBoxD, f.identity())) return true;
  // A full-screen program is not disturbed.
  return target && f.coversItsMonitor(monitors_);
}

bool WorkAreaWatch::Func_CheckDesktop(bool v) {
  std::u16string text = uiText(UiText::WorkAreaQuestionHeader);
  int changedCount = 0;
  std::array<bool, kMaxMonitors> changed{};
  if (v) {
    if (foregroundSuppressesCheck()) return false;
    const MonitorList fresh(p_.windows);
    tables_.GMonitorCount = fresh.count();
    const int tabled = std::min(fresh.count(), kMaxMonitors);
    for (int i = 0; i < tabled; ++i) {
      MonitorInfo m;
      if (!fresh.info(i, m)) continue;  // gone since the enumeration
      const TWorkAreaEdges wa = edgesOf(m.work);
      const auto k = static_cast<std::size_t>(i);
      // A change to exactly the user's setting needs no question.
      if (wa != tables_.MDesktop[k] && wa != tables_.MWorkArea[k]) {
        changed[k] = true;
        ++changedCount;
      }
      tables_.MDesktop[k] = wa;
    }
    dialog_.refreshEdgeCaptions();
    for (int i = 0; i < tabled; ++i) {
      const auto k = static_cast<std::size_t>(i);
      if (!changed[k]) continue;
      text += u"\r\n" + std::u16string(uiText(UiText::MonitorNumber)) + toDecimal(i + 1) + u"\r\n" +
              edgesLine(uiText(UiText::WorkAreaNow), tables_.MDesktop[k]) + u"\r\n" +
              edgesLine(uiText(UiText::WorkAreaSetting), tables_.MWorkArea[k]);
    }
  }
  if ((!v || changedCount > 0) && state_.CHKMessage && !parts_.run.stopChecked() &&
      ask(text) == kIdNo) {
    // No keeps the setting as it is: a stand-in for the old work area is the user's now.
    for (std::size_t k = 0; k < changed.size(); ++k) {
      if (changed[k]) tables_.standIn[k] = false;
    }
  }
  return v ? changedCount > 0 : true;
}

bool WorkAreaWatch::checkIfFlagged() {
  if (!state_.FWMGETMINMAXINFO) return false;
  state_.FWMGETMINMAXINFO = false;
  return Func_CheckDesktop(true);
}

int WorkAreaWatch::ask(const std::u16string& text) {
  // A question still open (this call comes from inside its loop) is not asked twice, and
  // what it turned off, its timer included, is left for it to restore when it closes.
  if (findDialogBox(p_, workAreaQuestionCaption()) != 0) return 0;
  parts_.run.setTrayEnabled(false);
  parts_.timer.setEnabled(false);
  const auto restore = [this] {
    parts_.check.setEnabled(false);
    parts_.run.setTrayEnabled(true);
    parts_.timer.setEnabled(true);
  };
  int answer = 0;
  try {
    parts_.check.setInterval(kCheckTimerIntervalMs);
    parts_.check.setEnabled(true);
    const Hwnd dialog = dialog_.dialogWindow();
    Func_ForceForeground(p_, dialog);
    answer = p_.windows.messageBox(dialog, text, workAreaQuestionCaption(), kWorkAreaQuestionStyle);
    if (answer == kIdYes) dialog_.showWorkAreaPage();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return answer;
}

void WorkAreaWatch::TimerCheckTimer() {
  parts_.check.setEnabled(false);
  const Hwnd box = findDialogBox(p_, workAreaQuestionCaption());
  // The box's own No button, not keystrokes that could reach another program's window.
  if (box != 0) p_.windows.sendCommand(box, kIdNo);
}

}  // namespace rimfold
