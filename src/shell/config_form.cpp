#include "shell/config_form.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/dpi.h"
#include "shell/run_logged.h"
#include "ui/exception_guard.h"
#include "ui/model/dialog_layout.h"
#include "ui/splitter_window.h"
#include "widgets/model/shortcut_text.h"
#include "widgets/num_edit_window.h"
#include "shell/task_bar_list.h"
#include "settings/window_lists.h"
#include "platform/win32/win32_convert.h"
#include "rtl/text_utils.h"
#include "system/data_dir.h"

namespace rimfold::app {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr int kClientWidth = 715;  // 96-DPI units, as every size below
constexpr int kClientHeight = 362;
constexpr int kMinOuterWidth = 435;
constexpr int kMinOuterHeight = 320;
constexpr int kToolBarHeight = 24;
constexpr int kWholeIntegerDigits = 10;  // any 32-bit value
constexpr int kFontHeight = 13;
constexpr DWORD kTaskBarReAddDelayMs = 100;
constexpr UINT_PTR kEditKeyStopSubclass = 1;
constexpr UINT_PTR kTimerCheckId = 1;
constexpr UINT kWmDpiChanged = 0x02E0;  // Windows 8.1 and later

using B = ToolButtonKind;
constexpr ToolButtonDef kToolBarExe[] = {
    {TBExeAdd, L"追加(&A)", B::Button},
    {TBExeDel, L"削除(&D)", B::Button},
    {TBListEClear, L"処理したウィンドウを消去(&R)", B::Button},
    {0, nullptr, B::Separator},
    {TBMAXDisable, L"最大化ウィンドウ", B::Check},
    {TBDisableDeskTop, L"全体が収まるモニタが存在しないウィンドウ", B::Check},
    {0, nullptr, B::Separator},
    {TBExeClose, L"閉じる(&C)", B::Button},
};
constexpr ToolButtonDef kToolBarWorkArea[] = {
    {TBWorkAreaDef, L"デフォルトに戻す(&F)", B::DropDown},
    {TBWorkAreaApply, L"適用(&O)", B::Button, L"Ctrl+クリックで±20%以上も設定可能"},
    {0, nullptr, B::Separator},
    {TBWorkAreaClose, L"閉じる(&C)", B::Button},
};
constexpr ToolButtonDef kToolBar1[] = {
    {TBHotKeyClose, L"閉じる(&C)", B::Button},
};

constexpr wchar_t kEdgeHint[] = L"反映するには適用を押してください";

using K = ControlKind;
constexpr ControlDef kControls[] = {
    {PageControl, K::Tabs, 0, Align::Client, 0, 0, 0, 0},
    // [処理しないウィンドウ]: the processed list above a splitter, the exclusions below.
    {TabSheetExe, K::Page, PageControl, Align::Overlay, 0, 0, 0, 0, L"[処理しないウィンドウ(&P)"},
    {ToolBarExe, K::ToolBar, TabSheetExe, Align::Top, 0, 0, 0, kToolBarHeight, nullptr, nullptr,
     kToolBarExe, false},
    {GroupBoxE, K::GroupBox, TabSheetExe, Align::Top, 0, 0, 0, 100, L"[処理したウィンドウ(&E)]",
     nullptr, {}, false},
    {ListBoxE, K::ListBox, GroupBoxE, Align::Client, 0, 0, 0, 0},
    {Splitter, K::Splitter, TabSheetExe, Align::Top, 0, 0, 0, 5, nullptr, nullptr, {}, false},
    {GroupBoxD, K::GroupBox, TabSheetExe, Align::Client, 0, 0, 0, 0, L"[処理しないウィンドウ(&D)]",
     nullptr, {}, false},
    {ListBoxD, K::ListBox, GroupBoxD, Align::Client, 0, 0, 0, 0},
    // [作業領域]: the monitor, and its four edges laid out as a cross.
    {TabSheetWorkArea, K::Page, PageControl, Align::Overlay, 0, 0, 0, 0, L"[作業領域(&K)]"},
    {ToolBarWorkArea, K::ToolBar, TabSheetWorkArea, Align::Top, 0, 0, 0, kToolBarHeight, nullptr,
     nullptr, kToolBarWorkArea, false},
    {GroupBox3, K::GroupBox, TabSheetWorkArea, Align::Client, 0, 0, 0, 0, L"", nullptr, {}, false},
    {CBMonitor, K::DropDownList, GroupBox3, Align::None, 70, 15, 280, 200},
    {GroupBoxTop, K::GroupBox, GroupBox3, Align::None, 150, 50, 120, 50, L"上(&T)", nullptr, {}, false},
    {EditTop, NumEditWindow::kKind, GroupBoxTop, Align::None, 10, 20, 100, 21, L"0", kEdgeHint},
    {GroupBoxLeft, K::GroupBox, GroupBox3, Align::None, 10, 100, 120, 50, L"左(&L)", nullptr, {}, false},
    {EditLeft, NumEditWindow::kKind, GroupBoxLeft, Align::None, 10, 20, 100, 21, L"0", kEdgeHint},
    {GroupBoxRight, K::GroupBox, GroupBox3, Align::None, 285, 100, 120, 50, L"右(&R)", nullptr, {},
     false},
    {EditRight, NumEditWindow::kKind, GroupBoxRight, Align::None, 10, 20, 100, 21, L"0", kEdgeHint},
    {GroupBoxBottom, K::GroupBox, GroupBox3, Align::None, 150, 155, 120, 50, L"下(B)", nullptr, {},
     false},
    {EditBottom, NumEditWindow::kKind, GroupBoxBottom, Align::None, 10, 20, 100, 21, L"0", kEdgeHint},
    {CHKMessage, K::CheckBox, GroupBox3, Align::None, 145, 120, 130, 17, L"変更時に通知(&M)"},
    // [ホットキー]: the stop/resume hotkey, captured from the keys pressed in its edit.
    {TabSheetHotkey, K::Page, PageControl, Align::Overlay, 0, 0, 0, 0, L"[ホットキー(&H)]"},
    {ToolBar1, K::ToolBar, TabSheetHotkey, Align::Top, 0, 0, 0, kToolBarHeight, nullptr, nullptr,
     kToolBar1, false},
    {GroupBox8, K::GroupBox, TabSheetHotkey, Align::None, 3, 25, 240, 50, L"停止／再開", nullptr, {},
     false},
    {EditKeyStop, K::ReadOnlyEdit, GroupBox8, Align::None, 10, 20, 220, 21, nullptr, nullptr, {},
     false},
};

// PPMenuDef; the N-pixel items are captioned "&1" .. "&9" at creation.
struct MenuItemDef {
  int id;
  const char16_t* name;
  const wchar_t* caption;  // null for a separator
};
constexpr MenuItemDef kPPMenuDef[] = {
    {PPDefBorder, u"PPDefBorder", L"ウィンドウの境界を無視(&W)"},
    {0, u"N1", nullptr},
    {PPDefBorder1, u"PPDefBorder1", L"±1"},
    {PPDefBorder1 + 1, u"PPDefBorder2", L"±2"},
    {PPDefBorder1 + 2, u"PPDefBorder3", L"±3"},
    {PPDefBorder1 + 3, u"PPDefBorder4", L"±4"},
    {PPDefBorder1 + 4, u"PPDefBorder5", L"±5"},
    {PPDefBorder1 + 5, u"PPDefBorder6", L"±6"},
    {PPDefBorder1 + 6, u"PPDefBorder7", L"±7"},
    {PPDefBorder1 + 7, u"PPDefBorder8", L"±8"},
    {PPDefBorder1 + 8, u"PPDefBorder9", L"±9"},
};
static_assert(PPDefBorder9 - PPDefBorder1 == 8);

constexpr int kEdgeEdits[] = {EditTop, EditBottom, EditLeft, EditRight};
constexpr int kEdgeGroupBoxes[] = {GroupBoxTop, GroupBoxBottom, GroupBoxLeft, GroupBoxRight};

std::wstring menuFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      metrics.lfMenuFont.lfFaceName[0] != 0) {
    return metrics.lfMenuFont.lfFaceName;
  }
  return L"MS UI Gothic";
}

bool keyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

std::u16string disableLogPath() { return DataDir + u"Disable.log"; }

TConfigForm::TConfigForm(Platform& p, MonitorList& monitors) : p_(p), monitors_(monitors) {}

TConfigForm::~TConfigForm() {
  state_.view = nullptr;
  destroyWindow();
}

void TConfigForm::create(const std::u16string& hotKeyStop, IWorkAreaWatchHost& host) {
  watch_.emplace(p_, state_, monitors_, host);
  NumEditWindow::registerKind();
  DialogControls::registerClasses();
  if (createWindow({kConfigFormClass, L"Rimfold", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                    kClientWidth, kClientHeight}) != nullptr) {
    const std::wstring face = menuFontFace();
    if (controls_.create(handle(), kControls, face.c_str(), kFontHeight, SHIFTJIS_CHARSET)) {
      // The designed client size at the window's DPI.
      RECT outer{0, 0, scaleToDpi(kClientWidth, controls_.dpi()),
                 scaleToDpi(kClientHeight, controls_.dpi())};
      ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
      ::SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      for (int id : kEdgeEdits) {
        if (NumEditWindow* edit = NumEditWindow::fromHandle(controls_[id])) {
          // Four integer digits, no grouping, silent refusals; the table gives the height.
          TNumEdit& model = edit->model();
          model.setAutoSize(false);
          model.setIntegerLength(4);
          model.setComma(false);
          model.ErrorBeep = false;
        }
      }
      ::SetWindowSubclass(controls_[EditKeyStop], &TConfigForm::editKeyStopProc,
                          kEditKeyStopSubclass, reinterpret_cast<DWORD_PTR>(this));
      win32::UniqueMenu menu(::CreatePopupMenu());
      for (const MenuItemDef& item : kPPMenuDef) {
        if (item.caption == nullptr) {
          ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
          ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), item.caption);
        }
      }
      PPMenuDef = std::move(menu);
      layout();
    }
    state_.view = this;
  }
  FormCreate(hotKeyStop);
}

void TConfigForm::FormCreate(const std::u16string& hotKeyStop) {
  // The face of the system's menu font is taken when the controls are made.
  selectPage(TabSheetExe);
  for (int i = 1; i <= 9; ++i) {
    const std::u16string name = u"PPDefBorder" + win32::fromWide(std::to_wstring(i));
    for (const MenuItemDef& item : kPPMenuDef) {
      if (name != item.name) continue;
      MPPDefBorder[static_cast<std::size_t>(i)] = item.id;
      const std::wstring caption = L"&" + std::to_wstring(i);
      ::ModifyMenuW(PPMenuDef.get(), static_cast<UINT>(item.id), MF_BYCOMMAND | MF_STRING,
                    static_cast<UINT_PTR>(item.id), caption.c_str());
    }
  }
  state_.TBListEClearEnabled = false;
  exclusionPage_ = ExclusionPage{};
  showButtons();

  readWindowSize();
  state_.ListBoxD = LoadDisableLog(p_, disableLogPath(), &state_.disableLogRead);
  fillList(ListBoxD, state_.ListBoxD, extentD_);
  Proc_SetListExtent(ListBoxD, extentD_);
  Proc_MonitorInitial();
  hotKeyText_ = hotKeyStop;
  if (HWND edit = controls_[EditKeyStop]) setText(edit, hotKeyText_);
}

void TConfigForm::Proc_MonitorInitial() {
  const MonitorPage page = rimfold::Proc_MonitorInitial(p_, state_, monitors_);
  if (HWND combo = controls_[CBMonitor]) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : page.items) {
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(item).c_str()));
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(page.selected), 0);
  }
  workAreaPage_.CBMonitorChange(state_, page.selected);
  mirrorWorkAreaPage();
  if (HWND check = controls_[CHKMessage]) {
    ::SendMessageW(check, BM_SETCHECK, state_.CHKMessage ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  controls_.checkButton(TBMAXDisable, state_.TBMAXDisable);
  controls_.checkButton(TBDisableDeskTop, state_.TBDisableDeskTop);
  controls_.setHeight(GroupBoxE, state_.groupBoxEHeight);
  applyWindowSize();
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

std::u16string TConfigForm::hotKeyText() const { return hotKeyText_; }

std::u16string TConfigForm::close() {
  FormCloseQuery();
  if (handle() != nullptr) ::ShowWindow(handle(), SW_HIDE);
  return hotKeyText_;
}

std::u16string TConfigForm::showModal() {
  if (handle() == nullptr) return hotKeyText_;
  RECT outer{};
  ::GetWindowRect(handle(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(handle(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  FormShow();
  ::SetForegroundWindow(handle());
  modalDone_ = false;
  MSG msg{};
  while (!modalDone_) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the outer loop must see the quit as well.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (preTranslate(msg)) continue;
    if (!::IsDialogMessageW(handle(), &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  modalDone_ = true;
  return close();
}

bool TConfigForm::preTranslate(const MSG& msg) {
  if (msg.hwnd == nullptr || (msg.hwnd != handle() && !::IsChild(handle(), msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && keyDown(VK_CONTROL)) {
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page, as in any tabbed dialog.
    constexpr int kPages[] = {TabSheetExe, TabSheetWorkArea, TabSheetHotkey};
    const int current = activePage();
    int index = 0;
    while (index < 3 && kPages[index] != current) ++index;
    index = (index + (keyDown(VK_SHIFT) ? 2 : 1)) % 3;
    selectPage(kPages[index]);
    ::SetFocus(controls_[PageControl]);
    return true;
  }
  if (msg.hwnd == controls_[EditKeyStop]) {
    // Tab and Shift+Tab leave it, as in every dialog; every other key, Alt combinations
    // included, is taken as a hotkey.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    HWND next = ::GetNextDlgTabItem(handle(), msg.hwnd, keyDown(VK_SHIFT) ? TRUE : FALSE);
    ::SetFocus(next != nullptr && next != msg.hwnd ? next : controls_[PageControl]);
    return true;
  }
  if (msg.message != WM_SYSCHAR) return false;
  const MnemonicTarget target = controls_.mnemonic(static_cast<wchar_t>(msg.wParam));
  switch (target.kind) {
    case MnemonicTarget::Kind::Page:
      selectPage(target.id);
      ::SetFocus(controls_[PageControl]);
      return true;
    case MnemonicTarget::Kind::Button:
      ::SendMessageW(handle(), WM_COMMAND, MAKEWPARAM(target.id, BN_CLICKED), 0);
      return true;
    case MnemonicTarget::Kind::None:
      break;
  }
  return false;
}

bool TConfigForm::visible() const noexcept {
  return handle() != nullptr && ::IsWindowVisible(handle()) != FALSE;
}

void TConfigForm::selectPage(int pageId) { controls_.setActivePage(pageId); }

int TConfigForm::activePage() const { return controls_.activePage(PageControl); }

void TConfigForm::FormShow() {
  TaskBarShow(handle());
  if (HWND tabs = controls_[PageControl]) ::SetFocus(tabs);
}

void TConfigForm::FormCloseQuery() {
  if (handle() != nullptr) TaskBarHide(handle());
  readWindowSize();
  // Each file on its own: one that cannot be written does not cost the others.
  runLogged(p_, [&] { saveWorkAreaFile(p_, state_, monitors_); });
  runLogged(p_, [&] {
    const ReadResult read = state_.disableLogRead;
    const bool mayWrite = read == ReadResult::Ok || read == ReadResult::Missing;
    if (!SaveDisableLog(p_, state_.ListBoxD, disableLogPath(), read) && mayWrite) {
      throw IoError("Cannot create file \"" + utf16ToUtf8(disableLogPath()) + "\"");
    }
  });
  if (HWND edit = controls_[EditKeyStop]) hotKeyText_ = text(edit);
}

void TConfigForm::readWindowSize() {
  RECT r{};
  if (handle() != nullptr && ::GetWindowRect(handle(), &r)) {
    // Kept in 96-DPI units, so that a size means the same on every monitor.
    const int dpi = windowDpi(handle());
    state_.windowWidth = unscaleFromDpi(r.right - r.left, dpi);
    state_.windowHeight = unscaleFromDpi(r.bottom - r.top, dpi);
  }
  state_.groupBoxEHeight = controls_.height(GroupBoxE);
}

void TConfigForm::applyWindowSize() {
  if (handle() == nullptr) return;
  // A damaged file must not make the dialog smaller than its minimum or larger than the
  // desktop.
  const int dpi = windowDpi(handle());
  const int width = std::clamp(scaleToDpi(state_.windowWidth, dpi), scaleToDpi(kMinOuterWidth, dpi),
                               std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), scaleToDpi(kMinOuterWidth, dpi)));
  const int height = std::clamp(scaleToDpi(state_.windowHeight, dpi), scaleToDpi(kMinOuterHeight, dpi),
                                std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), scaleToDpi(kMinOuterHeight, dpi)));
  ::SetWindowPos(handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
}

void TConfigForm::endModal() {
  // The window lives for the whole run: closing ends the modal loop, which hides it.
  if (modalDone_) {
    if (handle() != nullptr) ::ShowWindow(handle(), SW_HIDE);
  } else {
    modalDone_ = true;
  }
}

// ---- Exclusions page ----

std::u16string TConfigForm::text(HWND control) { return p_.windows.getWindowText(win32::fromHwnd(control)); }

void TConfigForm::setText(HWND control, const std::u16string& value) {
  p_.windows.setWindowText(win32::fromHwnd(control), value);
}

int TConfigForm::selectedIndex(int listBoxId) const {
  return static_cast<int>(::SendMessageW(controls_[listBoxId], LB_GETCURSEL, 0, 0));
}

void TConfigForm::select(int listBoxId, int index) {
  ::SendMessageW(controls_[listBoxId], LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TConfigForm::showButtons() {
  controls_.enableButton(TBExeAdd, exclusionPage_.TBExeAddEnabled);
  controls_.enableButton(TBExeDel, exclusionPage_.TBExeDelEnabled);
  controls_.enableButton(TBListEClear, state_.TBListEClearEnabled);
}

void TConfigForm::ListBoxEClick() {
  const int before = selectedIndex(ListBoxD);
  exclusionPage_.sel.exclusion = before;
  exclusionPage_.ListBoxEClick(state_, selectedIndex(ListBoxE));
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
  if (exclusionPage_.TBExeAddClick(state_)) syncTopInsertions(ListBoxD, state_.ListBoxD, extentD_);
  Proc_SetListExtent(ListBoxD, extentD_);
}

void TConfigForm::TBExeDelClick() {
  const int index = selectedIndex(ListBoxD);
  exclusionPage_.sel.exclusion = index;
  if (!exclusionPage_.TBExeDelClick(state_)) return;
  ::SendMessageW(controls_[ListBoxD], LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  extentD_.erase(static_cast<std::size_t>(index));
  showButtons();
  Proc_SetListExtent(ListBoxD, extentD_);
}

void TConfigForm::TBListEClearClick() {
  exclusionPage_.TBListEClearClick(state_);
  ::SendMessageW(controls_[ListBoxE], LB_RESETCONTENT, 0, 0);
  // The extent stays as it was until the next recorded window sets it.
  extentE_.clear();
  showButtons();
}

void TConfigForm::TBMAXDisableClick() { state_.TBMAXDisable = controls_.buttonChecked(TBMAXDisable); }

void TConfigForm::TBDisableDeskTopClick() {
  state_.TBDisableDeskTop = controls_.buttonChecked(TBDisableDeskTop);
}

void TConfigForm::TBExeCloseClick() { endModal(); }

void TConfigForm::layout() {
  controls_.layout();
  // The exclusions keep what the splitter leaves them, whatever height was stored (or came
  // with another DPI) and however small the dialog is made; the limited height is saved.
  const TRect page = controls_.rect(TabSheetExe);
  const int shared = unscaleFromDpi(page.Bottom - page.Top, controls_.dpi()) -
                     controls_.height(ToolBarExe) - controls_.height(Splitter);
  if (shared <= kSplitterMinSize) return;  // not laid out yet, or minimized
  const int limited = limitedUpperSize(controls_.height(GroupBoxE), shared);
  if (limited == controls_.height(GroupBoxE)) return;
  controls_.setHeight(GroupBoxE, limited);
  state_.groupBoxEHeight = limited;
  controls_.layout();
}

void TConfigForm::SplitterBegin(NMHDR&, LRESULT& result) {
  splitStartHeight_ = controls_.height(GroupBoxE);
  result = 0;
}

void TConfigForm::SplitterMove(NMHDR& header, LRESULT& result) {
  const auto& n = reinterpret_cast<const SplitterNotify&>(header);
  const int dpi = controls_.dpi();
  // The processed group box takes the space, the exclusions keep at least the minimum.
  const TRect e = controls_.rect(GroupBoxE);
  const TRect d = controls_.rect(GroupBoxD);
  const int shared = unscaleFromDpi((e.Bottom - e.Top) + (d.Bottom - d.Top), dpi);
  const std::optional<int> size =
      splitterNewSize(splitStartHeight_ + unscaleFromDpi(n.deltaY, dpi), shared - kSplitterMinSize);
  if (size && *size != controls_.height(GroupBoxE)) {
    controls_.setHeight(GroupBoxE, *size);
    state_.groupBoxEHeight = *size;
    controls_.layout();
  }
  result = 0;
}

// ---- List boxes ----

int TConfigForm::entryWidth(const std::u16string& entry) const {
  return controls_.textWidth(win32::toWide(entry));
}

void TConfigForm::fillList(int listBoxId, const WindowList& list, ListExtent& extent) {
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
  const auto shown = static_cast<std::size_t>(std::max<LRESULT>(::SendMessageW(box, LB_GETCOUNT, 0, 0), 0));
  if (shown > list.size() || extent.size() != shown) {
    fillList(listBoxId, list, extent);
    return;
  }
  // Only insertions at the top happen behind the dialog's back; the newest is at index 0.
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
  syncTopInsertions(ListBoxE, state_.ListBoxE, extentE_);
  showButtons();
  Proc_SetListExtent(ListBoxE, extentE_);
}

void TConfigForm::exclusionListChanged() { syncTopInsertions(ListBoxD, state_.ListBoxD, extentD_); }

// ---- Work-area page ----

void TConfigForm::CBMonitorChange() {
  const auto s = static_cast<int>(::SendMessageW(controls_[CBMonitor], CB_GETCURSEL, 0, 0));
  workAreaPage_.CBMonitorChange(state_, s);
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
  applyEdges([&](bool ctrl) { return workAreaPage_.TBWorkAreaApplyClick(p_, state_, monitors_, ctrl); });
}

void TConfigForm::TBWorkAreaDefClick() {
  applyEdges([&](bool ctrl) { return workAreaPage_.TBWorkAreaDefClick(p_, state_, monitors_, ctrl); });
}

void TConfigForm::PPDefBorderClick() {
  applyEdges([&](bool ctrl) { return workAreaPage_.PPDefBorderClick(p_, state_, monitors_, ctrl); });
}

void TConfigForm::PPDefBorderNClick(int tag) {
  applyEdges(
      [&](bool ctrl) { return workAreaPage_.PPDefBorderNClick(p_, state_, monitors_, ctrl, tag); });
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
  state_.CHKMessage = ::SendMessageW(controls_[CHKMessage], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TConfigForm::PageControlChange(NMHDR&, LRESULT& result) {
  selectPage(activePage());
  result = 0;
}

// ---- Hotkey page ----

bool TConfigForm::EditKeyStopKeyDown(int key) {
  HWND edit = controls_[EditKeyStop];
  hotKeyText_ = Proc_HotKeyEditKeyDown(p_.input, key, keyDown(VK_SHIFT), keyDown(VK_CONTROL),
                                       keyDown(VK_MENU));
  setText(edit, hotKeyText_);
  const auto end = static_cast<WPARAM>(hotKeyText_.size());
  ::SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  return key == 0;
}

LRESULT CALLBACK TConfigForm::editKeyStopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR self) {
  auto* form = reinterpret_cast<TConfigForm*>(self);
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // A Tab hotkey would take the key from every program.
      if (wParam == VK_TAB) return 0;
      bool consumed = false;
      runGuarded([&] { consumed = form->EditKeyStopKeyDown(static_cast<int>(wParam)); });
      if (consumed) return 0;
      break;
    }
    // Characters and key releases of a consumed key go nowhere: no beep, no menu mode.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hwnd, &TConfigForm::editKeyStopProc, kEditKeyStopSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

// ---- Work-area watch ----

void TConfigForm::startCheckTimer(std::uint32_t intervalMs) {
  if (handle() != nullptr) ::SetTimer(handle(), kTimerCheckId, intervalMs, nullptr);
}

void TConfigForm::stopCheckTimer() {
  if (handle() != nullptr) ::KillTimer(handle(), kTimerCheckId);
}

void TConfigForm::refreshEdgeCaptions() {
  workAreaPage_.refreshCaptions(state_);
  showEdgeCaptions();
}

void TConfigForm::WMSettingChange(Message& m) {
  noteSettingChange(state_, static_cast<std::uintptr_t>(m.wParam));
  m.result = 0;
}

void TConfigForm::WMDpiChanged(Message& m) {
  // Dragged onto a monitor of another scale: the place and size the system suggests, then
  // the controls laid out again at the new DPI (WM_SIZE does that; it may not come when
  // the size in pixels happens to stay).
  const auto* suggested = reinterpret_cast<const RECT*>(m.lParam);
  ::SetWindowPos(handle(), nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
  m.result = 0;
}

void TConfigForm::WMTimer(Message& m) {
  if (m.wParam == kTimerCheckId && watch_) watch_->TimerCheckTimer();
  m.result = 0;
}

// ---- Messages ----

bool TConfigForm::onMessage(Message& m) {
  static constexpr MessageEntry<TConfigForm> kMessages[] = {
      {WM_GETMINMAXINFO, &TConfigForm::WMGetMinMaxInfo},
      {WM_CLOSE, &TConfigForm::WMClose},
      {WM_SIZE, &TConfigForm::WMSize},
      {WM_MOVE, &TConfigForm::WMMove},
      {WM_COMMAND, &TConfigForm::WMCommand},
      {WM_NOTIFY, &TConfigForm::WMNotify},
      {WM_ACTIVATE, &TConfigForm::WMActivate},
      {WM_SETTINGCHANGE, &TConfigForm::WMSettingChange},
      {kWmDpiChanged, &TConfigForm::WMDpiChanged},
      {WM_TIMER, &TConfigForm::WMTimer},
  };
  return dispatchMessage(*this, kMessages, m);
}

void TConfigForm::WMGetMinMaxInfo(Message& m) {
  // Raised for the work-area watch; the system sends this whenever the window's size or
  // position is about to change, also while hidden.
  state_.FWMGETMINMAXINFO = true;
  auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
  const int dpi = handle() != nullptr ? windowDpi(handle()) : kDesignDpi;
  info->ptMinTrackSize.x = scaleToDpi(kMinOuterWidth, dpi);
  info->ptMinTrackSize.y = scaleToDpi(kMinOuterHeight, dpi);
  m.result = 0;
}

void TConfigForm::WMClose(Message& m) {
  endModal();
  m.result = 0;
}

void TConfigForm::WMSize(Message& m) {
  layout();
  m.result = 0;
}

void TConfigForm::WMMove(Message& m) {
  m.result = 0;
  if (!visible()) return;
  const int monitor = Func_MonitorIndexOf(p_, monitors_, win32::fromHwnd(handle()));
  if (monitor == state_.MMonNo) return;
  // On another monitor the shell shows the button on that monitor's taskbar.
  state_.MMonNo = monitor;
  TaskBarHide(handle());
  p_.clock.sleep(kTaskBarReAddDelayMs);
  TaskBarShow(handle());
}

void TConfigForm::WMCommand(Message& m) {
  static constexpr CommandEntry<TConfigForm> kCommands[] = {
      {TBExeAdd, BN_CLICKED, &TConfigForm::TBExeAddClick},
      {TBExeDel, BN_CLICKED, &TConfigForm::TBExeDelClick},
      {TBListEClear, BN_CLICKED, &TConfigForm::TBListEClearClick},
      {TBMAXDisable, BN_CLICKED, &TConfigForm::TBMAXDisableClick},
      {TBDisableDeskTop, BN_CLICKED, &TConfigForm::TBDisableDeskTopClick},
      {TBExeClose, BN_CLICKED, &TConfigForm::TBExeCloseClick},
      {TBWorkAreaClose, BN_CLICKED, &TConfigForm::TBExeCloseClick},
      {TBHotKeyClose, BN_CLICKED, &TConfigForm::TBExeCloseClick},
      {IDCANCEL, BN_CLICKED, &TConfigForm::TBExeCloseClick},  // Esc
      {TBWorkAreaDef, BN_CLICKED, &TConfigForm::TBWorkAreaDefClick},
      {TBWorkAreaApply, BN_CLICKED, &TConfigForm::TBWorkAreaApplyClick},
      {ListBoxE, LBN_SELCHANGE, &TConfigForm::ListBoxEClick},
      {ListBoxE, LBN_KILLFOCUS, &TConfigForm::ListBoxEExit},
      {ListBoxD, LBN_SELCHANGE, &TConfigForm::ListBoxDClick},
      {ListBoxD, LBN_KILLFOCUS, &TConfigForm::ListBoxDExit},
      {CBMonitor, CBN_SELCHANGE, &TConfigForm::CBMonitorChange},
      {CHKMessage, BN_CLICKED, &TConfigForm::CHKMessageClick},
  };
  dispatchCommand(*this, kCommands, m.wParam);
  m.result = 0;
}

void TConfigForm::WMNotify(Message& m) {
  static constexpr NotifyEntry<TConfigForm> kNotifications[] = {
      {PageControl, TCN_SELCHANGE, &TConfigForm::PageControlChange},
      {ToolBarWorkArea, TBN_DROPDOWN, &TConfigForm::TBWorkAreaDefDropDown},
      {Splitter, kSplitterBegin, &TConfigForm::SplitterBegin},
      {Splitter, kSplitterMove, &TConfigForm::SplitterMove},
  };
  if (dispatchNotify(*this, kNotifications, m)) return;
  auto* header = reinterpret_cast<NMHDR*>(m.lParam);
  if (header != nullptr && controls_.answerToolTip(*header)) m.result = 0;
}

void TConfigForm::WMActivate(Message& m) {
  // Focus comes back to the control that had it, as in a dialog box.
  if (LOWORD(m.wParam) == WA_INACTIVE) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(handle(), focus)) lastFocus_ = focus;
  } else if (lastFocus_ != nullptr && ::IsWindow(lastFocus_) && ::IsWindowVisible(lastFocus_)) {
    ::SetFocus(lastFocus_);
  }
  m.result = 0;
}

}  // namespace rimfold::app
