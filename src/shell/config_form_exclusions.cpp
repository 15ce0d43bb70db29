// The configuration dialog: the exclusions page and its two list boxes.
#include "shell/config_form.h"

#include "platform/win32/win32_convert.h"
#include "settings/window_lists.h"

#include "shell/config_form_parts.h"

namespace rimfold::app {

int TConfigForm::selectedIndex(int listBoxId) const {
  return static_cast<int>(::SendMessageW(controls_[listBoxId], LB_GETCURSEL, 0, 0));
}

void TConfigForm::select(int listBoxId, int index) {
  ::SendMessageW(controls_[listBoxId], LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TConfigForm::showButtons() {
  controls_.enableButton(TBExeAdd, exclusionPage_.TBExeAddEnabled);
  controls_.enableButton(TBExeDel, exclusionPage_.TBExeDelEnabled);
  controls_.enableButton(TBListEClear, state_.lists.TBListEClearEnabled);
}

void TConfigForm::ListBoxEClick() {
  const int before = selectedIndex(ListBoxD);
  exclusionPage_.sel.exclusion = before;
  exclusionPage_.ListBoxEClick(state_.lists, selectedIndex(ListBoxE));
  if (exclusionPage_.sel.exclusion != before) select(ListBoxD, exclusionPage_.sel.exclusion);
  showButtons();
}

void TConfigForm::ListBoxEExit() {
  select(ListBoxE, -1);
  exclusionPage_.ListBoxEExit();
  showButtons();
}

void TConfigForm::ListBoxDClick() {
  exclusionPage_.ListBoxDClick(selectedIndex(ListBoxD));
  showButtons();
}

void TConfigForm::ListBoxDExit() {
  select(ListBoxD, -1);
  exclusionPage_.ListBoxDExit();
  showButtons();
}

void TConfigForm::TBExeAddClick() {
  // The list box knows the selection best: the engine may have inserted entries above it.
  exclusionPage_.sel.processed = selectedIndex(ListBoxE);
  if (exclusionPage_.TBExeAddClick(state_.lists)) syncTopInsertions(ListBoxD, state_.lists.ListBoxD, extentD_);
  Proc_SetListExtent(ListBoxD, extentD_);
}

void TConfigForm::TBExeDelClick() {
  const int index = selectedIndex(ListBoxD);
  exclusionPage_.sel.exclusion = index;
  if (!exclusionPage_.TBExeDelClick(state_.lists)) return;
  ::SendMessageW(controls_[ListBoxD], LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  extentD_.erase(static_cast<std::size_t>(index));
  showButtons();
  Proc_SetListExtent(ListBoxD, extentD_);
}

void TConfigForm::TBListEClearClick() {
  exclusionPage_.TBListEClearClick(state_.lists);
  ::SendMessageW(controls_[ListBoxE], LB_RESETCONTENT, 0, 0);
  // The extent stays as it was until the next recorded window sets it.
  extentE_.clear();
  showButtons();
}

void TConfigForm::TBMAXDisableClick() { state_.switches.TBMAXDisable = controls_.buttonChecked(TBMAXDisable); }

void TConfigForm::TBDisableDeskTopClick() {
  state_.switches.TBDisableDeskTop = controls_.buttonChecked(TBDisableDeskTop);
}

void TConfigForm::TBExeCloseClick() { endModal(); }


// ---- List boxes ----

int TConfigForm::entryWidth(const std::u16string& entry) const {
  return controls_.textWidth(win32::toWide(entry));
}

void TConfigForm::fillList(int listBoxId, const WindowList& list, ListExtent& extent) {
  droppedSeen(listBoxId) = list.droppedFromBottom();
  extent.clear();
  for (auto it = list.end(); it != list.begin();) extent.insertTop(entryWidth(*--it));
  HWND box = controls_[listBoxId];
  if (box == nullptr) return;
  ::SendMessageW(box, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(box, LB_RESETCONTENT, 0, 0);
  ::SendMessageW(box, LB_INITSTORAGE, list.size(), 0);
  for (const std::u16string& entry : list) {
    ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(entry).c_str()));
  }
  ::SendMessageW(box, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(box, nullptr, TRUE);
}

void TConfigForm::syncTopInsertions(int listBoxId, const WindowList& list, ListExtent& extent) {
  HWND box = controls_[listBoxId];
  if (box == nullptr) return;
  auto shown = static_cast<std::size_t>(std::max<LRESULT>(::SendMessageW(box, LB_GETCOUNT, 0, 0), 0));
  // Behind the dialog's back the engine inserts at the top and drops the oldest at the
  // bottom; the newest is at index 0.
  std::uint64_t& seen = droppedSeen(listBoxId);
  const std::uint64_t dropped = list.droppedFromBottom() - seen;
  if (dropped > shown || extent.size() != shown) {
    fillList(listBoxId, list, extent);
    return;
  }
  for (std::uint64_t i = 0; i < dropped; ++i) {
    --shown;
    ::SendMessageW(box, LB_DELETESTRING, shown, 0);
    extent.erase(shown);
  }
  seen = list.droppedFromBottom();
  if (shown > list.size()) {
    fillList(listBoxId, list, extent);
    return;
  }
  for (std::size_t k = list.size() - shown; k-- > 0;) {
    ::SendMessageW(box, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(list[k]).c_str()));
    extent.insertTop(entryWidth(list[k]));
  }
}

void TConfigForm::Proc_SetListExtent(int listBoxId, const ListExtent& extent) {
  HWND box = controls_[listBoxId];
  if (box == nullptr) return;
  // Setting it redoes the scroll bar, which costs more than the rest of a recording.
  const auto wanted = static_cast<LRESULT>(2 * extent.widest());
  if (::SendMessageW(box, LB_GETHORIZONTALEXTENT, 0, 0) != wanted) {
    ::SendMessageW(box, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(wanted), 0);
  }
}

void TConfigForm::processedListChanged() {
  syncTopInsertions(ListBoxE, state_.lists.ListBoxE, extentE_);
  showButtons();
  Proc_SetListExtent(ListBoxE, extentE_);
}

void TConfigForm::exclusionListChanged() { syncTopInsertions(ListBoxD, state_.lists.ListBoxD, extentD_); }

}  // namespace rimfold::app
