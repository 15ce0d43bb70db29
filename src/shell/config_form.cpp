#include "shell/config_form.h"

#include "shell/config_form_parts.h"

#include <commctrl.h>

#include <algorithm>

#include "resource_ids.h"
#include "ui/dpi.h"
#include "shell/run_logged.h"
#include "ui/exception_guard.h"
#include "ui/model/dialog_layout.h"
#include "ui/splitter_window.h"
#include "widgets/model/shortcut_text.h"
#include "widgets/num_edit_window.h"
#include "settings/window_lists.h"
#include "platform/win32/dialog_libraries.h"
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
constexpr int kFontHeight = 13;
constexpr DWORD kTaskBarReAddDelayMs = 100;
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


std::wstring menuFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      metrics.lfMenuFont.lfFaceName[0] != 0) {
    return metrics.lfMenuFont.lfFaceName;
  }
  return L"MS UI Gothic";
}


}  // namespace

std::u16string disableLogPath(const Platform& p) { return p.data.dir + u"Disable.log"; }

TConfigForm::TConfigForm(Platform& p, ProgramState& state, MonitorList& monitors)
    : p_(p), state_(state), monitors_(monitors) {}

TConfigForm::~TConfigForm() {
  state_.lists.observer = nullptr;
  destroyWindow();
  taskBar_.done();
}

void TConfigForm::create(const std::u16string& hotKeyStop) {
  if (createWindow({kConfigFormClass, L"Rimfold", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                    kClientWidth, kClientHeight, nullptr, IDI_RIMFOLD}) != nullptr) {
    // The designed client size at the window's DPI.
    const int dpi = windowDpi(handle());
    RECT outer{0, 0, scaleToDpi(kClientWidth, dpi), scaleToDpi(kClientHeight, dpi)};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    ::SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    win32::UniqueMenu menu(::CreatePopupMenu());
    for (const MenuItemDef& item : kPPMenuDef) {
      if (item.caption == nullptr) {
        ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      } else {
        ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), item.caption);
      }
    }
    PPMenuDef = std::move(menu);
    state_.lists.observer = this;
  }
  FormCreate(hotKeyStop);
}

void TConfigForm::createControls() {
  if (handle() == nullptr || controls_[PageControl] != nullptr) return;
  NumEditWindow::registerKind();
  DialogControls::registerClasses();
  taskBar_.init();
  // The face of the system's menu font is taken when the controls are made.
  const std::wstring face = menuFontFace();
  if (!controls_.create(handle(), kControls, face.c_str(), kFontHeight, SHIFTJIS_CHARSET)) return;
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
  win32::setWindowSubclass(controls_[EditKeyStop], &TConfigForm::editKeyStopProc,
                           kEditKeyStopSubclass, reinterpret_cast<DWORD_PTR>(this));
  selectPage(page_);
  showButtons();
  fillList(ListBoxE, state_.lists.ListBoxE, extentE_);
  Proc_SetListExtent(ListBoxE, extentE_);
  fillList(ListBoxD, state_.lists.ListBoxD, extentD_);
  Proc_SetListExtent(ListBoxD, extentD_);
  mirrorMonitorPage();
  layout();
  setText(controls_[EditKeyStop], hotKeyText_);
}

void TConfigForm::FormCreate(const std::u16string& hotKeyStop) {
  for (int i = 1; i <= 9; ++i) {
    const std::u16string name = u"PPDefBorder" + toDecimal(i);
    for (const MenuItemDef& item : kPPMenuDef) {
      if (name != item.name) continue;
      MPPDefBorder[static_cast<std::size_t>(i)] = item.id;
      const std::wstring caption = L"&" + win32::toWide(toDecimal(i));
      ::ModifyMenuW(PPMenuDef.get(), static_cast<UINT>(item.id), MF_BYCOMMAND | MF_STRING,
                    static_cast<UINT_PTR>(item.id), caption.c_str());
    }
  }
  state_.lists.TBListEClearEnabled = false;
  exclusionPage_ = ExclusionPage{};

  readWindowSize();
  state_.lists.ListBoxD = LoadDisableLog(p_, disableLogPath(p_), &state_.lists.disableLogRead);
  Proc_MonitorInitial();
  hotKeyText_ = hotKeyStop;
}

std::u16string TConfigForm::hotKeyText() const { return hotKeyText_; }

std::u16string TConfigForm::close() {
  FormCloseQuery();
  if (handle() != nullptr) ::ShowWindow(handle(), SW_HIDE);
  return hotKeyText_;
}

std::u16string TConfigForm::showModal() {
  if (handle() == nullptr) return hotKeyText_;
  createControls();
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

void TConfigForm::selectPage(int pageId) {
  page_ = pageId;
  controls_.setActivePage(pageId);
}

int TConfigForm::activePage() const {
  return controls_[PageControl] != nullptr ? controls_.activePage(PageControl) : page_;
}

void TConfigForm::FormShow() {
  taskBar_.show(handle());
  if (HWND tabs = controls_[PageControl]) ::SetFocus(tabs);
}

void TConfigForm::FormCloseQuery() {
  if (handle() != nullptr) taskBar_.hide(handle());
  readWindowSize();
  // Each file on its own: one that cannot be written does not cost the others.
  runLogged(p_, [&] { saveWorkAreaFile(p_, state_.workAreaFile(), monitors_); });
  runLogged(p_, [&] {
    const ReadResult read = state_.lists.disableLogRead;
    const bool mayWrite = read == ReadResult::Ok || read == ReadResult::Missing;
    if (!SaveDisableLog(p_, state_.lists.ListBoxD, disableLogPath(p_), read) && mayWrite) {
      throw IoError::cannotCreate(disableLogPath(p_));
    }
  });
  if (HWND edit = controls_[EditKeyStop]) hotKeyText_ = text(edit);
}

void TConfigForm::readWindowSize() {
  RECT r{};
  if (handle() != nullptr && ::GetWindowRect(handle(), &r)) {
    // Kept in 96-DPI units, so that a size means the same on every monitor.
    const int dpi = windowDpi(handle());
    state_.geometry.windowWidth = unscaleFromDpi(r.right - r.left, dpi);
    state_.geometry.windowHeight = unscaleFromDpi(r.bottom - r.top, dpi);
  }
  // Without controls the splitter never moved: the height read at start stands.
  if (controls_[GroupBoxE] != nullptr) state_.geometry.groupBoxEHeight = controls_.height(GroupBoxE);
}

void TConfigForm::applyWindowSize() {
  if (handle() == nullptr) return;
  // A damaged file must not make the dialog smaller than its minimum or larger than the
  // desktop.
  const int dpi = windowDpi(handle());
  const int width = std::clamp(scaleToDpi(state_.geometry.windowWidth, dpi), scaleToDpi(kMinOuterWidth, dpi),
                               std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), scaleToDpi(kMinOuterWidth, dpi)));
  const int height = std::clamp(scaleToDpi(state_.geometry.windowHeight, dpi), scaleToDpi(kMinOuterHeight, dpi),
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

std::u16string TConfigForm::text(HWND control) { return p_.windows.getWindowText(win32::fromHwnd(control)); }

void TConfigForm::setText(HWND control, const std::u16string& value) {
  p_.windows.setWindowText(win32::fromHwnd(control), value);
}

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
  state_.geometry.groupBoxEHeight = limited;
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
    state_.geometry.groupBoxEHeight = *size;
    controls_.layout();
  }
  result = 0;
}

void TConfigForm::WMSettingChange(Message& m) {
  noteSettingChange(state_.watch, static_cast<std::uintptr_t>(m.wParam));
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
  };
  return dispatchMessage(*this, kMessages, m);
}

void TConfigForm::WMGetMinMaxInfo(Message& m) {
  // Raised for the work-area watch; the system sends this whenever the window's size or
  // position is about to change, also while hidden.
  state_.watch.FWMGETMINMAXINFO = true;
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
  if (monitor == MMonNo) return;
  // On another monitor the shell shows the button on that monitor's taskbar.
  MMonNo = monitor;
  taskBar_.hide(handle());
  p_.clock.sleep(kTaskBarReAddDelayMs);
  taskBar_.show(handle());
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
