#include "widgets/hook_hotkey.h"

namespace rimfold::widgets {

HotKeyWindow::HotKeyWindow() {
  // A zero-sized top-level window that is never shown receives WM_HOTKEY.
  createWindow({L"THookHotKey", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0});
}

HotKeyWindow::~HotKeyWindow() { destroyWindow(); }

bool HotKeyWindow::registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) {
  return handle() != nullptr && ::RegisterHotKey(handle(), id, modifiers, key) != FALSE;
}

bool HotKeyWindow::unregisterHotKey(int id) {
  return handle() != nullptr && ::UnregisterHotKey(handle(), id) != FALSE;
}

void HotKeyWindow::activateOwner() {
  if (owner != nullptr) ::SetForegroundWindow(owner);
}

bool HotKeyWindow::onMessage(ui::Message& m) {
  if (m.msg != WM_HOTKEY) return false;
  if (component != nullptr) component->NotifyHotKey(static_cast<std::int32_t>(m.wParam));
  return true;
}

}  // namespace rimfold::widgets
