#include "config/ui/config_form.h"

#include "config/window_lists.h"
#include "system/data_dir.h"

namespace rimfold::app {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr int kClientWidth = 715;
constexpr int kClientHeight = 362;
constexpr int kMinOuterWidth = 435;
constexpr int kMinOuterHeight = 320;

}  // namespace

std::u16string disableLogPath() { return DataDir + u"Disable.log"; }

TConfigForm::TConfigForm(Platform& p, const MonitorList& monitors) : p_(p), monitors_(monitors) {}

TConfigForm::~TConfigForm() { destroyWindow(); }

void TConfigForm::create(const std::u16string& hotKeyStop) {
  RECT outer{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  createWindow({kConfigFormClass, L"Rimfold", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                outer.right - outer.left, outer.bottom - outer.top});
  FormCreate(hotKeyStop);
}

void TConfigForm::FormCreate(const std::u16string& hotKeyStop) {
  readWindowSize();
  state_.ListBoxD = LoadDisableLog(p_, disableLogPath(), &state_.disableLogReadFailed);
  monitorPage_ = Proc_MonitorInitial(p_, state_, monitors_);
  applyWindowSize();
  EditKeyStop = hotKeyStop;
}

std::u16string TConfigForm::close() {
  FormCloseQuery();
  if (handle() != nullptr) ::ShowWindow(handle(), SW_HIDE);
  return EditKeyStop;
}

std::u16string TConfigForm::showModal() {
  if (handle() == nullptr) return EditKeyStop;
  RECT outer{};
  ::GetWindowRect(handle(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(handle(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
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
    if (!::IsDialogMessageW(handle(), &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  modalDone_ = true;
  return close();
}

bool TConfigForm::visible() const noexcept {
  return handle() != nullptr && ::IsWindowVisible(handle()) != FALSE;
}

void TConfigForm::FormCloseQuery() {
  readWindowSize();
  saveWorkAreaFile(p_, state_, monitors_);
  SaveDisableLog(p_, state_.ListBoxD, disableLogPath(), state_.disableLogReadFailed);
}

void TConfigForm::readWindowSize() {
  RECT r{};
  if (handle() != nullptr && ::GetWindowRect(handle(), &r)) {
    state_.windowWidth = r.right - r.left;
    state_.windowHeight = r.bottom - r.top;
  }
}

void TConfigForm::applyWindowSize() {
  if (handle() == nullptr) return;
  ::SetWindowPos(handle(), nullptr, 0, 0, state_.windowWidth, state_.windowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TConfigForm::onMessage(Message& m) {
  static constexpr MessageEntry<TConfigForm> kMessages[] = {
      {WM_GETMINMAXINFO, &TConfigForm::WMGetMinMaxInfo},
      {WM_CLOSE, &TConfigForm::WMClose},
  };
  return dispatchMessage(*this, kMessages, m);
}

void TConfigForm::WMGetMinMaxInfo(Message& m) {
  // Raised for the work-area watch; the system sends this whenever the window's size or
  // position is about to change, also while hidden.
  state_.FWMGETMINMAXINFO = true;
  auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
  info->ptMinTrackSize.x = kMinOuterWidth;
  info->ptMinTrackSize.y = kMinOuterHeight;
  m.result = 0;
}

void TConfigForm::WMClose(Message& m) {
  // The window lives for the whole run: closing only ends the modal loop and hides it.
  if (modalDone_) {
    ::ShowWindow(handle(), SW_HIDE);
  } else {
    modalDone_ = true;
  }
  m.result = 0;
}

}  // namespace rimfold::app
