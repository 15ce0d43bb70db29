#include "shell/exclusions_view.h"

#include <algorithm>
#include <iterator>

#include "shell/config_form_ids.h"
#include "shell/config_form_parts.h"
#include "ui/model/dialog_layout.h"
#include "ui/splitter_window.h"
#include "ui/window_base.h"

namespace rimfold::shell {

namespace {

struct Tables {
  ui::ToolButtonDef toolBar[8];
  ui::ControlDef controls[7];
};

void fill(Tables& t, Language l) {
  using B = ui::ToolButtonKind;
  using K = ui::ControlKind;
  const auto w = [l](UiText id) { return wideText(id, l); };
  const ui::ToolButtonDef toolBar[] = {
      {TBExeAdd, w(UiText::Add), B::Button},
      {TBExeDel, w(UiText::Delete), B::Button},
      {TBListEClear, w(UiText::ClearProcessed), B::Button},
      {0, nullptr, B::Separator},
      {TBMAXDisable, w(UiText::MaximizedWindows), B::Check},
      {TBDisableDeskTop, w(UiText::WindowsNoMonitorHolds), B::Check},
      {0, nullptr, B::Separator},
      {TBExeClose, w(UiText::Close), B::Button},
  };
  std::copy(std::begin(toolBar), std::end(toolBar), t.toolBar);
  // The toolbar's row points into the same tables, which stay where they are.
  const ui::ControlDef controls[] = {
      {TabSheetExe, K::Page, PageControl, Align::Overlay, 0, 0, 0, 0, w(UiText::PageExclusions)},
      {ToolBarExe, K::ToolBar, TabSheetExe, Align::Top, 0, 0, 0, kToolBarHeight, nullptr, nullptr,
       t.toolBar, false},
      {GroupBoxE,
       K::GroupBox,
       TabSheetExe,
       Align::Top,
       0,
       0,
       0,
       100,
       w(UiText::ProcessedWindows),
       nullptr,
       {},
       false},
      {ListBoxE, K::ListBox, GroupBoxE, Align::Client, 0, 0, 0, 0},
      {Splitter, K::Splitter, TabSheetExe, Align::Top, 0, 0, 0, 5, nullptr, nullptr, {}, false},
      {GroupBoxD,
       K::GroupBox,
       TabSheetExe,
       Align::Client,
       0,
       0,
       0,
       0,
       w(UiText::ExcludedWindows),
       nullptr,
       {},
       false},
      {ListBoxD, K::ListBox, GroupBoxD, Align::Client, 0, 0, 0, 0},
  };
  std::copy(std::begin(controls), std::end(controls), t.controls);
}

}  // namespace

ExclusionsView::ExclusionsView(ui::DialogControls& controls, ProgramState& state)
    : controls_(controls),
      state_(state),
      processed_(controls, ListBoxE, state.lists.ListBoxE),
      exclusions_(controls, ListBoxD, state.lists.ListBoxD) {}

std::span<const ui::ControlDef> ExclusionsView::controlTable(Language language) {
  return tablesFor<Tables>(language, fill).controls;
}

void ExclusionsView::reset() {
  state_.lists.TBListEClearEnabled = false;
  exclusionPage_ = app::ExclusionPage{};
}

void ExclusionsView::controlsMade() {
  showButtons();
  processed_.fill();
  processed_.setExtent();
  exclusions_.fill();
  exclusions_.setExtent();
}

void ExclusionsView::mirror() {
  controls_.checkButton(TBMAXDisable, state_.switches.TBMAXDisable);
  controls_.checkButton(TBDisableDeskTop, state_.switches.TBDisableDeskTop);
  controls_.setHeight(GroupBoxE, state_.geometry.groupBoxEHeight);
}

bool ExclusionsView::fitSplitter() {
  const TRect page = controls_.rect(TabSheetExe);
  const int shared = unscaleFromDpi(page.Bottom - page.Top, controls_.dpi()) -
                     controls_.height(ToolBarExe) - controls_.height(Splitter);
  if (shared <= kSplitterMinSize) return false;  // not laid out yet, or minimized
  const int limited = limitedUpperSize(controls_.height(GroupBoxE), shared);
  if (limited == controls_.height(GroupBoxE)) return false;
  controls_.setHeight(GroupBoxE, limited);
  state_.geometry.groupBoxEHeight = limited;
  controls_.layout();
  return true;
}

void ExclusionsView::readSplitter() {
  if (controls_[GroupBoxE] != nullptr)
    state_.geometry.groupBoxEHeight = controls_.height(GroupBoxE);
}

void ExclusionsView::processedListChanged() {
  processed_.syncTopInsertions();
  showButtons();
  processed_.setExtent();
}

void ExclusionsView::exclusionListChanged() { exclusions_.syncTopInsertions(); }

bool ExclusionsView::command(WPARAM wParam) {
  static constexpr ui::CommandEntry<ExclusionsView> kCommands[] = {
      {TBExeAdd, BN_CLICKED, &ExclusionsView::TBExeAddClick},
      {TBExeDel, BN_CLICKED, &ExclusionsView::TBExeDelClick},
      {TBListEClear, BN_CLICKED, &ExclusionsView::TBListEClearClick},
      {TBMAXDisable, BN_CLICKED, &ExclusionsView::TBMAXDisableClick},
      {TBDisableDeskTop, BN_CLICKED, &ExclusionsView::TBDisableDeskTopClick},
      {ListBoxE, LBN_SELCHANGE, &ExclusionsView::ListBoxEClick},
      {ListBoxE, LBN_KILLFOCUS, &ExclusionsView::ListBoxEExit},
      {ListBoxD, LBN_SELCHANGE, &ExclusionsView::ListBoxDClick},
      {ListBoxD, LBN_KILLFOCUS, &ExclusionsView::ListBoxDExit},
  };
  return ui::dispatchCommand(*this, kCommands, wParam);
}

bool ExclusionsView::notify(ui::Message& m) {
  static constexpr ui::NotifyEntry<ExclusionsView> kNotifications[] = {
      {Splitter, ui::kSplitterBegin, &ExclusionsView::SplitterBegin},
      {Splitter, ui::kSplitterMove, &ExclusionsView::SplitterMove},
  };
  return ui::dispatchNotify(*this, kNotifications, m);
}

void ExclusionsView::showButtons() {
  controls_.enableButton(TBExeAdd, exclusionPage_.TBExeAddEnabled);
  controls_.enableButton(TBExeDel, exclusionPage_.TBExeDelEnabled);
  controls_.enableButton(TBListEClear, state_.lists.TBListEClearEnabled);
}

void ExclusionsView::ListBoxEClick() {
  const int before = exclusions_.selectedIndex();
  exclusionPage_.sel.exclusion = before;
  exclusionPage_.ListBoxEClick(state_.lists, processed_.selectedIndex());
  if (exclusionPage_.sel.exclusion != before) exclusions_.select(exclusionPage_.sel.exclusion);
  showButtons();
}

void ExclusionsView::ListBoxEExit() {
  processed_.select(-1);
  exclusionPage_.ListBoxEExit();
  showButtons();
}

void ExclusionsView::ListBoxDClick() {
  exclusionPage_.ListBoxDClick(exclusions_.selectedIndex());
  showButtons();
}

void ExclusionsView::ListBoxDExit() {
  exclusions_.select(-1);
  exclusionPage_.ListBoxDExit();
  showButtons();
}

void ExclusionsView::TBExeAddClick() {
  // The list box knows the selection best: the engine may have inserted entries above it.
  exclusionPage_.sel.processed = processed_.selectedIndex();
  if (exclusionPage_.TBExeAddClick(state_.lists)) exclusions_.syncTopInsertions();
  exclusions_.setExtent();
}

void ExclusionsView::TBExeDelClick() {
  const int index = exclusions_.selectedIndex();
  exclusionPage_.sel.exclusion = index;
  if (!exclusionPage_.TBExeDelClick(state_.lists)) return;
  exclusions_.erase(index);
  showButtons();
  exclusions_.setExtent();
}

void ExclusionsView::TBListEClearClick() {
  exclusionPage_.TBListEClearClick(state_.lists);
  // The extent stays as it was until the next recorded window sets it.
  processed_.clear();
  showButtons();
}

void ExclusionsView::TBMAXDisableClick() {
  state_.switches.TBMAXDisable = controls_.buttonChecked(TBMAXDisable);
}

void ExclusionsView::TBDisableDeskTopClick() {
  state_.switches.TBDisableDeskTop = controls_.buttonChecked(TBDisableDeskTop);
}

void ExclusionsView::SplitterBegin(NMHDR&, LRESULT& result) {
  splitStartHeight_ = controls_.height(GroupBoxE);
  result = 0;
}

void ExclusionsView::SplitterMove(NMHDR& header, LRESULT& result) {
  const auto& n = reinterpret_cast<const ui::SplitterNotify&>(header);
  const int dpi = controls_.dpi();
  // The processed group box takes the space, the exclusions keep at least the minimum.
  const TRect e = controls_.rect(GroupBoxE);
  const TRect d = controls_.rect(GroupBoxD);
  const int shared = unscaleFromDpi((e.Bottom - e.Top) + (d.Bottom - d.Top), dpi);
  const std::optional<int> size =
      splitterNewSize(splitStartHeight_ + unscaleFromDpi(n.deltaY, dpi), shared - kSplitterMinSize);
  if (size && *size != controls_.height(GroupBoxE)) {
    controls_.setHeight(GroupBoxE, *size);
    state_.geometry.groupBoxEHeight = *size;
    controls_.layout();
  }
  result = 0;
}

}  // namespace rimfold::shell
