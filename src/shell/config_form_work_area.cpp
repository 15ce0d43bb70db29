// The configuration dialog: the work-area page, its presets menu and edge captions.
#include "shell/config_form.h"

#include <commctrl.h>

#include "platform/win32/win32_convert.h"
#include "widgets/num_edit_window.h"

#include "shell/config_form_parts.h"

namespace rimfold::app {

void TConfigForm::Proc_MonitorInitial() {
  monitorPage_ = rimfold::Proc_MonitorInitial(p_, state_.workAreaFile(), monitors_);
  workAreaPage_.CBMonitorChange(state_.tables, monitorPage_.selected);
  mirrorMonitorPage();
  applyWindowSize();
}

void TConfigForm::mirrorMonitorPage() {
  if (HWND combo = controls_[CBMonitor]) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : monitorPage_.items) {
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(item).c_str()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(workAreaPage_.selected), 0);
  }
  mirrorWorkAreaPage();
  if (HWND check = controls_[CHKMessage]) {
    ::SendMessageW(check, BM_SETCHECK, state_.watch.CHKMessage ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  controls_.checkButton(TBMAXDisable, state_.switches.TBMAXDisable);
  controls_.checkButton(TBDisableDeskTop, state_.switches.TBDisableDeskTop);
  controls_.setHeight(GroupBoxE, state_.geometry.groupBoxEHeight);
}

void TConfigForm::mirrorWorkAreaPage() {
  const std::array<const std::u16string*, 4> texts = {
      &workAreaPage_.edits.Top, &workAreaPage_.edits.Bottom, &workAreaPage_.edits.Left,
      &workAreaPage_.edits.Right};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (HWND edit = controls_[kEdgeEdits[i]]) {
      if (NumEditWindow* numEdit = NumEditWindow::fromHandle(edit)) {
        // Read-only edges are shown whole, however many digits they have.
        numEdit->model().setIntegerLength(workAreaPage_.readOnly ? kWholeIntegerDigits : 4);
        numEdit->model().ReadOnly = workAreaPage_.readOnly;
      }
      setText(edit, *texts[i]);
    }
  }
  showEdgeCaptions();
}

void TConfigForm::showEdgeCaptions() {
  for (std::size_t i = 0; i < std::size(kEdgeGroupBoxes); ++i) {
    if (HWND box = controls_[kEdgeGroupBoxes[i]]) setText(box, workAreaPage_.captions[i]);
  }
}


// ---- Work-area page ----

void TConfigForm::CBMonitorChange() {
  const auto s = static_cast<int>(::SendMessageW(controls_[CBMonitor], CB_GETCURSEL, 0, 0));
  workAreaPage_.CBMonitorChange(state_.tables, s);
  mirrorWorkAreaPage();
}

template <typename Apply>
void TConfigForm::applyEdges(Apply apply) {
  const bool ctrlDown = p_.input.getAsyncKeyState(kVkControl) < 0;
  EdgeTexts& edits = workAreaPage_.edits;
  std::u16string* fields[] = {&edits.Top, &edits.Bottom, &edits.Left, &edits.Right};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (HWND edit = controls_[kEdgeEdits[i]]) *fields[i] = text(edit);
  }
  bool stored = false;
  try {
    stored = apply(ctrlDown);
  } catch (const ConversionError&) {
    // Nothing was stored: the user hears it, and the error goes to the log as ever.
    ::MessageBeep(0);
    mirrorWorkAreaPage();
    throw;
  }
  if (!stored) ::MessageBeep(0);
  mirrorWorkAreaPage();
}

void TConfigForm::TBWorkAreaApplyClick() {
  applyEdges([&](bool ctrl) { return workAreaPage_.TBWorkAreaApplyClick(p_, state_.tables, monitors_, ctrl); });
}

void TConfigForm::TBWorkAreaDefClick() {
  applyEdges([&](bool ctrl) { return workAreaPage_.TBWorkAreaDefClick(p_, state_.tables, monitors_, ctrl); });
}

void TConfigForm::PPDefBorderClick() {
  applyEdges([&](bool ctrl) { return workAreaPage_.PPDefBorderClick(p_, state_.tables, monitors_, ctrl); });
}

void TConfigForm::PPDefBorderNClick(int tag) {
  applyEdges(
      [&](bool ctrl) { return workAreaPage_.PPDefBorderNClick(p_, state_.tables, monitors_, ctrl, tag); });
}

void TConfigForm::TBWorkAreaDefDropDown(NMHDR& header, LRESULT& result) {
  result = TBDDRET_DEFAULT;
  const auto& drop = reinterpret_cast<const NMTOOLBARW&>(header);
  if (drop.iItem != TBWorkAreaDef) return;
  const RECT button = controls_.buttonScreenRect(TBWorkAreaDef);
  const auto chosen = static_cast<int>(::TrackPopupMenuEx(
      PPMenuDef.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, button.left,
      button.bottom, handle(), nullptr));
  if (chosen == PPDefBorder) {
    PPDefBorderClick();
    return;
  }
  for (int tag = 1; tag <= 9; ++tag) {
    if (chosen != 0 && chosen == MPPDefBorder[static_cast<std::size_t>(tag)]) PPDefBorderNClick(tag);
  }
}

void TConfigForm::CHKMessageClick() {
  state_.watch.CHKMessage = ::SendMessageW(controls_[CHKMessage], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TConfigForm::PageControlChange(NMHDR&, LRESULT& result) {
  selectPage(activePage());
  result = 0;
}


// ---- Work-area watch ----

void TConfigForm::refreshEdgeCaptions() {
  workAreaPage_.refreshCaptions(state_.tables);
  showEdgeCaptions();
}

}  // namespace rimfold::app
