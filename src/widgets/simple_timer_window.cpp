#include "widgets/simple_timer_window.h"

namespace rimfold::widgets {

SimpleTimerWindow::SimpleTimerWindow() { TSimpleTimerHandler::setWindow(this); }

SimpleTimerWindow::~SimpleTimerWindow() {
  TSimpleTimerHandler::setWindow(nullptr);
  ui::WindowBase::destroyWindow();
}

void SimpleTimerWindow::createWindow() {
  if (handle() != nullptr) return;
  // Message-only: it needs no place on the desktop and no broadcasts.
  ui::WindowBase::createWindow({L"TSimpleTimerHandler", L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE});
}

void SimpleTimerWindow::destroyWindow() { ui::WindowBase::destroyWindow(); }

bool SimpleTimerWindow::setTimer(std::uintptr_t id, std::uint32_t milliseconds) {
  return handle() != nullptr && ::SetTimer(handle(), id, milliseconds, nullptr) != 0;
}

bool SimpleTimerWindow::killTimer(std::uintptr_t id) {
  return handle() != nullptr && ::KillTimer(handle(), id) != FALSE;
}

bool SimpleTimerWindow::onMessage(ui::Message& m) {
  if (m.msg != WM_TIMER) return false;
  if (TSimpleTimerHandler* handler = TSimpleTimerHandler::instance()) {
    handler->HandleTimer(static_cast<std::uintptr_t>(m.wParam));
  }
  m.result = 0;
  return true;
}

}  // namespace rimfold::widgets
