#include "shell/main_form.h"

#include "platform/win32/win32_convert.h"
#include "widgets/tray_icon_handler.h"

#include "resource_ids.h"

namespace rimfold::shell {

namespace {

constexpr int kLargeIconSize = 32;

}  // namespace

TMainForm::~TMainForm() { destroyWindow(); }

bool TMainForm::create() {
  // A tool window that is never shown: no taskbar button, nothing on screen.
  if (createWindow({kMainFormClass, L"Rimfold", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0}) ==
      nullptr) {
    return false;
  }
  formIcon_ = win32::UniqueIcon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_RIMFOLD), IMAGE_ICON,
                   kLargeIconSize, kLargeIconSize, LR_DEFAULTCOLOR)));
  ::SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(formIcon_.get()));
  taskbarCreated_ = widgets::registerTaskbarCreated();
  return true;
}

void TMainForm::postDragEnded(Hwnd w) {
  ::PostMessageW(handle(), kMsgDragEnded, static_cast<WPARAM>(w), 0);
}

void TMainForm::postEarlyTick() { ::PostMessageW(handle(), kMsgEarlyTick, 0, 0); }

bool TMainForm::onMessage(ui::Message& m) {
  // Never handled here: the default answer is the shell's.
  if (taskbarCreated_ != 0 && m.msg == taskbarCreated_) {
    events_.taskbarCreated();
    return false;
  }
  switch (m.msg) {
    case WM_COMMAND:
      // Menu commands come with a zero lParam; a control's carries its window.
      if (m.lParam == 0 && HIWORD(m.wParam) == 0) events_.menuCommand(LOWORD(m.wParam));
      break;
    case WM_CLOSE: events_.closeAsked(); break;
    case WM_QUERYENDSESSION:
      events_.sessionEnding();
      m.result = TRUE;
      return true;
    case WM_ENDSESSION:
      ::DefWindowProcW(handle(), m.msg, m.wParam, m.lParam);
      m.result = 1;
      return true;
    case WM_DISPLAYCHANGE: events_.displayChanged(); break;
    case kMsgDragEnded: events_.postedDragEnd(static_cast<Hwnd>(m.wParam)); break;
    case kMsgEarlyTick: events_.earlyTickPosted(); break;
    default: return false;
  }
  m.result = 0;
  return true;
}

}  // namespace rimfold::shell
