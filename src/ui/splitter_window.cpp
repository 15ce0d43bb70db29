#include "ui/splitter_window.h"

#include <windowsx.h>

namespace rimfold::ui {

bool SplitterWindow::registerClass() {
  return registerControlClass<SplitterWindow>(kSplitterClass);
}

void SplitterWindow::notify(UINT code, int deltaY) {
  SplitterNotify n{};
  n.header.hwndFrom = handle();
  n.header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(handle()));
  n.header.code = code;
  n.deltaY = deltaY;
  ::SendMessageW(::GetParent(handle()), WM_NOTIFY, n.header.idFrom, reinterpret_cast<LPARAM>(&n));
}

bool SplitterWindow::onMessage(Message& m) {
  switch (m.msg) {
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
      m.result = TRUE;
      return true;
    case WM_LBUTTONDOWN: {
      // Screen positions of the messages themselves: the bar moves under the pointer.
      startY_ = GET_Y_LPARAM(static_cast<LPARAM>(::GetMessagePos()));
      dragging_ = true;
      ::SetCapture(handle());
      notify(kSplitterBegin, 0);
      return true;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        notify(kSplitterMove, GET_Y_LPARAM(static_cast<LPARAM>(::GetMessagePos())) - startY_);
      }
      return true;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (m.msg == WM_LBUTTONUP) ::ReleaseCapture();
      }
      return true;
    default: return false;
  }
}

}  // namespace rimfold::ui
