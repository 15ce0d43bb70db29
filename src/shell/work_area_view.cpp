#include "shell/work_area_view.h"

#include <algorithm>
#include <iterator>

#include <commctrl.h>

#include "platform/win32/win32_convert.h"
#include "shell/config_form_ids.h"
#include "shell/config_form_parts.h"
#include "widgets/num_edit_window.h"

namespace rimfold::shell {

namespace {

constexpr int kEdgeEdits[] = {EditTop, EditBottom, EditLeft, EditRight};
constexpr int kEdgeGroupBoxes[] = {GroupBoxTop, GroupBoxBottom, GroupBoxLeft, GroupBoxRight};
constexpr int kWholeIntegerDigits = 10;  // any 32-bit value

struct Tables {
  ui::ToolButtonDef toolBar[4];
  ui::ControlDef controls[13];
};

void fill(Tables& t, Language l) {
  using B = ui::ToolButtonKind;
  using K = ui::ControlKind;
  constexpr K kNumEdit = widgets::NumEditWindow::kKind;
  const auto w = [l](UiText id) { return wideText(id, l); };
  const wchar_t* hint = w(UiText::EdgeHint);
  const ui::ToolButtonDef toolBar[] = {
      {TBWorkAreaDef, w(UiText::Defaults), B::DropDown},
      {TBWorkAreaApply, w(UiText::Apply), B::Button, w(UiText::ApplyHint)},
      {0, nullptr, B::Separator},
      {TBWorkAreaClose, w(UiText::Close), B::Button},
  };
  std::copy(std::begin(toolBar), std::end(toolBar), t.toolBar);
  // The toolbar's row points into the same tables, which stay where they are.
  const ui::ControlDef controls[] = {
      {TabSheetWorkArea, K::Page, PageControl, Align::Overlay, 0, 0, 0, 0, w(UiText::PageWorkArea)},
      {ToolBarWorkArea, K::ToolBar, TabSheetWorkArea, Align::Top, 0, 0, 0, kToolBarHeight, nullptr,
       nullptr, t.toolBar, false},
      {GroupBox3,
       K::GroupBox,
       TabSheetWorkArea,
       Align::Client,
       0,
       0,
       0,
       0,
       L"",
       nullptr,
       {},
       false},
      {CBMonitor, K::DropDownList, GroupBox3, Align::None, 70, 15, 280, 200},
      {GroupBoxTop,
       K::GroupBox,
       GroupBox3,
       Align::None,
       150,
       50,
       120,
       50,
       w(UiText::EdgeTop),
       nullptr,
       {},
       false},
      {EditTop, kNumEdit, GroupBoxTop, Align::None, 10, 20, 100, 21, L"0", hint},
      {GroupBoxLeft,
       K::GroupBox,
       GroupBox3,
       Align::None,
       10,
       100,
       120,
       50,
       w(UiText::EdgeLeft),
       nullptr,
       {},
       false},
      {EditLeft, kNumEdit, GroupBoxLeft, Align::None, 10, 20, 100, 21, L"0", hint},
      {GroupBoxRight,
       K::GroupBox,
       GroupBox3,
       Align::None,
       285,
       100,
       120,
       50,
       w(UiText::EdgeRight),
       nullptr,
       {},
       false},
      {EditRight, kNumEdit, GroupBoxRight, Align::None, 10, 20, 100, 21, L"0", hint},
      {GroupBoxBottom,
       K::GroupBox,
       GroupBox3,
       Align::None,
       150,
       155,
       120,
       50,
       w(UiText::EdgeBottom),
       nullptr,
       {},
       false},
      {EditBottom, kNumEdit, GroupBoxBottom, Align::None, 10, 20, 100, 21, L"0", hint},
      {CHKMessage, K::CheckBox, GroupBox3, Align::None, 145, 120, 130, 17,
       w(UiText::NotifyOnChange)},
  };
  std::copy(std::begin(controls), std::end(controls), t.controls);
}

// PPMenuDef, the presets under デフォルトに戻す: the border item, then outward by 1..9 px.
constexpr int kPresetItems[] = {PPDefBorder,      0,
                                PPDefBorder1,     PPDefBorder1 + 1,
                                PPDefBorder1 + 2, PPDefBorder1 + 3,
                                PPDefBorder1 + 4, PPDefBorder1 + 5,
                                PPDefBorder1 + 6, PPDefBorder1 + 7,
                                PPDefBorder1 + 8};
static_assert(PPDefBorder9 - PPDefBorder1 == 8);

}  // namespace

WorkAreaView::WorkAreaView(Platform& p, ProgramState& state, MonitorList& monitors,
                           ui::DialogControls& controls, const ui::WindowBase& frame)
    : p_(p), state_(state), monitors_(monitors), controls_(controls), frame_(frame) {}

std::span<const ui::ControlDef> WorkAreaView::controlTable(Language language) {
  return tablesFor<Tables>(language, fill).controls;
}

void WorkAreaView::createMenu() {
  // Made anew for each show: it speaks the language in force.
  win32::UniqueMenu menu(::CreatePopupMenu());
  for (int id : kPresetItems) {
    if (id == 0) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else if (id == PPDefBorder) {
      ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(id),
                    wideText(UiText::IgnoreWindowBorder, uiLanguage()));
    } else {
      const wchar_t caption[] = {L'&', static_cast<wchar_t>(L'1' + (id - PPDefBorder1)), 0};
      ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(id), caption);
    }
  }
  PPMenuDef = std::move(menu);
}

void WorkAreaView::reset() {
  for (int i = 1; i <= 9; ++i) MPPDefBorder[static_cast<std::size_t>(i)] = PPDefBorder1 + i - 1;
}

void WorkAreaView::controlsMade() {
  for (int id : kEdgeEdits) {
    if (widgets::NumEditWindow* edit = widgets::NumEditWindow::fromHandle(controls_[id])) {
      // Four integer digits, no grouping, silent refusals; the table gives the height.
      TNumEdit& model = edit->model();
      model.setAutoSize(false);
      model.setIntegerLength(4);
      model.setComma(false);
      model.ErrorBeep = false;
    }
  }
}

void WorkAreaView::monitorsChanged() {
  monitorPage_ = rimfold::Proc_MonitorInitial(p_, state_.workAreaFile(), monitors_);
  workAreaPage_.CBMonitorChange(state_.tables, monitorPage_.selected);
  mirror();
}

void WorkAreaView::relabel() {
  for (std::size_t i = 0; i < monitorPage_.items.size() && i < state_.tables.tabledFor.size();
       ++i) {
    monitorPage_.items[i] = monitorItemText(static_cast<int>(i), state_.tables.tabledFor[i]);
  }
  workAreaPage_.refreshCaptions(state_.tables);
  createMenu();
}

void WorkAreaView::mirror() {
  if (HWND combo = controls_[CBMonitor]) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : monitorPage_.items) {
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(item).c_str()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(workAreaPage_.selected), 0);
  }
  mirrorEdges();
  if (HWND check = controls_[CHKMessage]) {
    ::SendMessageW(check, BM_SETCHECK, state_.watch.CHKMessage ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void WorkAreaView::mirrorEdges() {
  const std::array<const std::u16string*, 4> texts = {
      &workAreaPage_.edits.Top, &workAreaPage_.edits.Bottom, &workAreaPage_.edits.Left,
      &workAreaPage_.edits.Right};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (HWND edit = controls_[kEdgeEdits[i]]) {
      if (widgets::NumEditWindow* numEdit = widgets::NumEditWindow::fromHandle(edit)) {
        // Read-only edges are shown whole, however many digits they have.
        numEdit->model().setIntegerLength(workAreaPage_.readOnly ? kWholeIntegerDigits : 4);
        numEdit->model().ReadOnly = workAreaPage_.readOnly;
      }
      setText(edit, *texts[i]);
    }
  }
  showEdgeCaptions();
}

void WorkAreaView::showEdgeCaptions() {
  for (std::size_t i = 0; i < std::size(kEdgeGroupBoxes); ++i) {
    if (HWND box = controls_[kEdgeGroupBoxes[i]]) setText(box, workAreaPage_.captions[i]);
  }
}

void WorkAreaView::refreshEdgeCaptions() {
  workAreaPage_.refreshCaptions(state_.tables);
  showEdgeCaptions();
}

bool WorkAreaView::command(WPARAM wParam) {
  static constexpr ui::CommandEntry<WorkAreaView> kCommands[] = {
      {TBWorkAreaDef, BN_CLICKED, &WorkAreaView::TBWorkAreaDefClick},
      {TBWorkAreaApply, BN_CLICKED, &WorkAreaView::TBWorkAreaApplyClick},
      {CBMonitor, CBN_SELCHANGE, &WorkAreaView::CBMonitorChange},
      {CHKMessage, BN_CLICKED, &WorkAreaView::CHKMessageClick},
  };
  return ui::dispatchCommand(*this, kCommands, wParam);
}

bool WorkAreaView::notify(ui::Message& m) {
  static constexpr ui::NotifyEntry<WorkAreaView> kNotifications[] = {
      {ToolBarWorkArea, TBN_DROPDOWN, &WorkAreaView::TBWorkAreaDefDropDown},
  };
  return ui::dispatchNotify(*this, kNotifications, m);
}

void WorkAreaView::CBMonitorChange() {
  const auto s = static_cast<int>(::SendMessageW(controls_[CBMonitor], CB_GETCURSEL, 0, 0));
  workAreaPage_.CBMonitorChange(state_.tables, s);
  mirrorEdges();
}

template <typename Apply>
void WorkAreaView::applyEdges(Apply apply) {
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
    mirrorEdges();
    throw;
  }
  if (!stored) ::MessageBeep(0);
  mirrorEdges();
}

void WorkAreaView::TBWorkAreaApplyClick() {
  applyEdges([&](bool ctrl) {
    return workAreaPage_.TBWorkAreaApplyClick(p_, state_.tables, monitors_, ctrl);
  });
}

void WorkAreaView::TBWorkAreaDefClick() {
  applyEdges([&](bool ctrl) {
    return workAreaPage_.TBWorkAreaDefClick(p_, state_.tables, monitors_, ctrl);
  });
}

void WorkAreaView::PPDefBorderClick() {
  applyEdges([&](bool ctrl) {
    return workAreaPage_.PPDefBorderClick(p_, state_.tables, monitors_, ctrl);
  });
}

void WorkAreaView::PPDefBorderNClick(int tag) {
  applyEdges([&](bool ctrl) {
    return workAreaPage_.PPDefBorderNClick(p_, state_.tables, monitors_, ctrl, tag);
  });
}

void WorkAreaView::TBWorkAreaDefDropDown(NMHDR& header, LRESULT& result) {
  result = TBDDRET_DEFAULT;
  const auto& drop = reinterpret_cast<const NMTOOLBARW&>(header);
  if (drop.iItem != TBWorkAreaDef) return;
  const RECT button = controls_.buttonScreenRect(TBWorkAreaDef);
  const auto chosen = static_cast<int>(::TrackPopupMenuEx(
      PPMenuDef.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, button.left,
      button.bottom, frame_.handle(), nullptr));
  if (chosen == PPDefBorder) {
    PPDefBorderClick();
    return;
  }
  for (int tag = 1; tag <= 9; ++tag) {
    if (chosen != 0 && chosen == MPPDefBorder[static_cast<std::size_t>(tag)])
      PPDefBorderNClick(tag);
  }
}

void WorkAreaView::CHKMessageClick() {
  state_.watch.CHKMessage = ::SendMessageW(controls_[CHKMessage], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::u16string WorkAreaView::text(HWND control) {
  return p_.windows.getWindowText(win32::fromHwnd(control));
}

void WorkAreaView::setText(HWND control, const std::u16string& value) {
  p_.windows.setWindowText(win32::fromHwnd(control), value);
}

}  // namespace rimfold::shell
