#include "shell/config_form.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_convert.h"
#include "resource_ids.h"
#include "settings/data_files.h"
#include "settings/window_lists.h"
#include "shell/config_form_parts.h"
#include "shell/run_logged.h"
#include "ui/dpi.h"
#include "ui/model/dialog_layout.h"
#include "widgets/num_edit_window.h"
#include "workarea/work_area_watch.h"

namespace rimfold::shell {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr int kClientWidth = 715;  // 96-DPI units, as every size below
constexpr int kClientHeight = 362;
constexpr int kMinOuterWidth = 435;
constexpr int kMinOuterHeight = 320;
constexpr int kFontHeight = 13;
constexpr UINT kWmDpiChanged = 0x02E0;  // Windows 8.1 and later
// Moved onto another monitor, the taskbar button is taken away and given back this much
// later, so that the shell shows it on that monitor's taskbar.
constexpr UINT kTaskBarReAddDelayMs = 100;
constexpr UINT_PTR kTaskBarReAddTimer = 1;

// The frame's row, then each page's rows, in the order of the tabs; one table a language,
// made on first use where it stays.
std::span<const ui::ControlDef> controlTable(Language language) {
  struct Rows {
    std::vector<ui::ControlDef> rows;
  };
  return tablesFor<Rows>(
             language,
             [](Rows& t, Language l) {
               t.rows = {{PageControl, ui::ControlKind::Tabs, 0, Align::Client, 0, 0, 0, 0}};
               for (std::span<const ui::ControlDef> page :
                    {ExclusionsView::controlTable(l), WorkAreaView::controlTable(l),
                     HotKeyView::controlTable(l)}) {
                 t.rows.insert(t.rows.end(), page.begin(), page.end());
               }
             })
      .rows;
}

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

TConfigForm::TConfigForm(Platform& p, ProgramState& state, MonitorList& monitors,
                         IConfigFormEvents& events)
    : p_(p), state_(state), events_(events), monitors_(monitors) {}

TConfigForm::~TConfigForm() {
  state_.lists.observer = nullptr;
  destroyWindow();
  taskBar_.done();
}

void TConfigForm::create(const std::u16string& hotKeyStop) {
  if (createWindow({kConfigFormClass, L"Rimfold", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                    kClientWidth, kClientHeight, nullptr, IDI_RIMFOLD}) != nullptr) {
    // The designed client size at the window's DPI.
    const int dpi = ui::windowDpi(handle());
    RECT outer{0, 0, scaleToDpi(kClientWidth, dpi), scaleToDpi(kClientHeight, dpi)};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    ::SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    workArea_.createMenu();
    state_.lists.observer = this;
  }
  FormCreate(hotKeyStop);
}

void TConfigForm::createControls() {
  if (handle() == nullptr || controls_[PageControl] != nullptr) return;
  widgets::NumEditWindow::registerKind();
  ui::DialogControls::registerClasses();
  taskBar_.init();
  // The face of the system's menu font is taken when the controls are made.
  const std::wstring face = menuFontFace();
  controlsLanguage_ = uiLanguage();
  if (!controls_.create(handle(), controlTable(controlsLanguage_), face.c_str(), kFontHeight,
                        SHIFTJIS_CHARSET)) {
    return;
  }
  workArea_.relabel();
  workArea_.controlsMade();
  hotKey_.controlsMade();
  selectPage(page_);
  exclusions_.controlsMade();
  workArea_.mirror();
  exclusions_.mirror();
  layout();
}

void TConfigForm::FormCreate(const std::u16string& hotKeyStop) {
  workArea_.reset();
  exclusions_.reset();
  readWindowSize();
  state_.lists.ListBoxD = loadDisableLog(p_, disableLogPath(p_), &state_.lists.disableLogRead);
  Proc_MonitorInitial();
  hotKey_.setText(hotKeyStop);
}

void TConfigForm::Proc_MonitorInitial() {
  workArea_.monitorsChanged();
  exclusions_.mirror();
  applyWindowSize();
}

std::u16string TConfigForm::close() {
  FormCloseQuery();
  if (handle() != nullptr) ::ShowWindow(handle(), SW_HIDE);
  return hotKey_.text();
}

std::u16string TConfigForm::showModal() {
  if (handle() == nullptr) return hotKey_.text();
  // Another language was chosen since the controls were made: they are made again in it.
  if (controls_[PageControl] != nullptr && controlsLanguage_ != uiLanguage()) {
    hotKey_.readText();
    readWindowSize();
    controls_.destroy();
  }
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
  if (hotKey_.isEditMessage(msg)) return hotKey_.tabOut(msg, handle());
  if (msg.message != WM_SYSCHAR) return false;
  const ui::MnemonicTarget target = controls_.mnemonic(static_cast<wchar_t>(msg.wParam));
  switch (target.kind) {
    case ui::MnemonicTarget::Kind::Page:
      selectPage(target.id);
      ::SetFocus(controls_[PageControl]);
      return true;
    case ui::MnemonicTarget::Kind::Button:
      ::SendMessageW(handle(), WM_COMMAND, MAKEWPARAM(target.id, BN_CLICKED), 0);
      return true;
    case ui::MnemonicTarget::Kind::None: break;
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
  if (handle() != nullptr) {
    ::KillTimer(handle(), kTaskBarReAddTimer);
    taskBar_.hide(handle());
  }
  readWindowSize();
  // Each file on its own: one that cannot be written does not cost the others.
  runLogged(p_, [&] { saveWorkAreaFile(p_, state_.workAreaFile(), monitors_); });
  runLogged(p_, [&] {
    const ReadResult read = state_.lists.disableLogRead;
    const bool mayWrite = read == ReadResult::Ok || read == ReadResult::Missing;
    if (!saveDisableLog(p_, state_.lists.ListBoxD, disableLogPath(p_), read) && mayWrite) {
      throw IoError::cannotCreate(disableLogPath(p_));
    }
  });
  hotKey_.readText();
}

void TConfigForm::readWindowSize() {
  RECT r{};
  if (handle() != nullptr && ::GetWindowRect(handle(), &r)) {
    // Kept in 96-DPI units, so that a size means the same on every monitor.
    const int dpi = ui::windowDpi(handle());
    state_.geometry.windowWidth = unscaleFromDpi(r.right - r.left, dpi);
    state_.geometry.windowHeight = unscaleFromDpi(r.bottom - r.top, dpi);
  }
  exclusions_.readSplitter();
}

void TConfigForm::applyWindowSize() {
  if (handle() == nullptr) return;
  // A damaged file must not make the dialog smaller than its minimum or larger than the
  // desktop.
  const int dpi = ui::windowDpi(handle());
  const int minWidth = scaleToDpi(kMinOuterWidth, dpi);
  const int minHeight = scaleToDpi(kMinOuterHeight, dpi);
  const int width = std::clamp(scaleToDpi(state_.geometry.windowWidth, dpi), minWidth,
                               std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), minWidth));
  const int height = std::clamp(scaleToDpi(state_.geometry.windowHeight, dpi), minHeight,
                                std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), minHeight));
  ::SetWindowPos(handle(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void TConfigForm::layout() {
  controls_.layout();
  exclusions_.fitSplitter();
}

void TConfigForm::PageControlChange(NMHDR&, LRESULT& result) {
  selectPage(activePage());
  result = 0;
}

// ---- Messages ----

bool TConfigForm::onMessage(ui::Message& m) {
  static constexpr ui::MessageEntry<TConfigForm> kMessages[] = {
      {WM_GETMINMAXINFO, &TConfigForm::WMGetMinMaxInfo},
      {WM_CLOSE, &TConfigForm::WMClose},
      {WM_SIZE, &TConfigForm::WMSize},
      {WM_MOVE, &TConfigForm::WMMove},
      {WM_TIMER, &TConfigForm::WMTimer},
      {WM_COMMAND, &TConfigForm::WMCommand},
      {WM_NOTIFY, &TConfigForm::WMNotify},
      {WM_ACTIVATE, &TConfigForm::WMActivate},
      {WM_SETTINGCHANGE, &TConfigForm::WMSettingChange},
      {kWmDpiChanged, &TConfigForm::WMDpiChanged},
  };
  return ui::dispatchMessage(*this, kMessages, m);
}

void TConfigForm::WMGetMinMaxInfo(ui::Message& m) {
  events_.sizeLimitsAsked();
  auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
  const int dpi = handle() != nullptr ? ui::windowDpi(handle()) : kDesignDpi;
  info->ptMinTrackSize.x = scaleToDpi(kMinOuterWidth, dpi);
  info->ptMinTrackSize.y = scaleToDpi(kMinOuterHeight, dpi);
  m.result = 0;
}

void TConfigForm::WMClose(ui::Message& m) {
  endModal();
  m.result = 0;
}

void TConfigForm::WMSize(ui::Message& m) {
  layout();
  m.result = 0;
}

void TConfigForm::WMMove(ui::Message& m) {
  m.result = 0;
  if (!visible()) return;
  const int monitor = Func_MonitorIndexOf(p_, monitors_, win32::fromHwnd(handle()));
  if (monitor == MMonNo) return;
  // On another monitor the shell shows the button on that monitor's taskbar. It comes back
  // on the timer: the dialog goes on answering while the shell takes the button away.
  MMonNo = monitor;
  taskBar_.hide(handle());
  ::SetTimer(handle(), kTaskBarReAddTimer, kTaskBarReAddDelayMs, nullptr);
}

void TConfigForm::WMTimer(ui::Message& m) {
  m.result = 0;
  if (m.wParam != kTaskBarReAddTimer) return;
  ::KillTimer(handle(), kTaskBarReAddTimer);
  // Closed in the meantime: a hidden dialog has no button.
  if (visible()) taskBar_.show(handle());
}

void TConfigForm::WMCommand(ui::Message& m) {
  // The close buttons of the three pages, and Esc.
  static constexpr ui::CommandEntry<TConfigForm> kCommands[] = {
      {TBExeClose, BN_CLICKED, &TConfigForm::TBExeCloseClick},
      {TBWorkAreaClose, BN_CLICKED, &TConfigForm::TBExeCloseClick},
      {TBHotKeyClose, BN_CLICKED, &TConfigForm::TBExeCloseClick},
      {IDCANCEL, BN_CLICKED, &TConfigForm::TBExeCloseClick},
  };
  m.result = 0;
  if (ui::dispatchCommand(*this, kCommands, m.wParam)) return;
  if (exclusions_.command(m.wParam)) return;
  workArea_.command(m.wParam);
}

void TConfigForm::WMNotify(ui::Message& m) {
  static constexpr ui::NotifyEntry<TConfigForm> kNotifications[] = {
      {PageControl, TCN_SELCHANGE, &TConfigForm::PageControlChange},
  };
  if (ui::dispatchNotify(*this, kNotifications, m) || exclusions_.notify(m) ||
      workArea_.notify(m)) {
    return;
  }
  auto* header = reinterpret_cast<NMHDR*>(m.lParam);
  if (header != nullptr && controls_.answerToolTip(*header)) m.result = 0;
}

void TConfigForm::WMActivate(ui::Message& m) {
  // Focus comes back to the control that had it, as in a dialog box.
  if (LOWORD(m.wParam) == WA_INACTIVE) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(handle(), focus)) lastFocus_ = focus;
  } else if (lastFocus_ != nullptr && ::IsWindow(lastFocus_) && ::IsWindowVisible(lastFocus_)) {
    ::SetFocus(lastFocus_);
  }
  m.result = 0;
}

void TConfigForm::WMSettingChange(ui::Message& m) {
  events_.settingChanged(static_cast<std::uintptr_t>(m.wParam));
  m.result = 0;
}

void TConfigForm::WMDpiChanged(ui::Message& m) {
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

}  // namespace rimfold::shell
