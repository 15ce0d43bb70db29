#include "ui/page_window.h"

namespace rimfold::ui {

bool PageWindow::registerClass() { return registerControlClass<PageWindow>(kPageClass); }

bool PageWindow::onMessage(Message& m) {
  switch (m.msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      m.result = ::SendMessageW(::GetParent(handle()), m.msg, m.wParam, m.lParam);
      return true;
    default: return false;
  }
}

}  // namespace rimfold::ui
