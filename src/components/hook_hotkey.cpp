#include "components/hook_hotkey.h"

#include "components/model/shortcut_text.h"

namespace rimfold::app {

THookHotKey::THookHotKey() {
  // A zero-sized top-level window that is never shown receives WM_HOTKEY.
  createWindow({L"THookHotKey", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0});
}

THookHotKey::~THookHotKey() { destroyWindow(); }

bool THookHotKey::Add(std::int32_t index, std::uint16_t hotKey) {
  const HotKeyRegistration r = hotKeyRegistration(hotKey);
  return handle() != nullptr && ::RegisterHotKey(handle(), index, r.modifiers, r.key) != FALSE;
}

bool THookHotKey::Delete(std::int32_t index) {
  return handle() != nullptr && ::UnregisterHotKey(handle(), index) != FALSE;
}

bool THookHotKey::Change(std::int32_t index, std::uint16_t hotKey) {
  const bool deleted = Delete(index);
  const bool added = Add(index, hotKey);
  return deleted && added;
}

bool THookHotKey::Apply(std::int32_t index, std::uint16_t hotKey, bool doHook) {
  return doHook ? Change(index, hotKey) : Delete(index);
}

void THookHotKey::NotifyHotKey(std::int32_t index) {
  if (!OnHotKey) return;
  if (Activate && owner != nullptr) ::SetForegroundWindow(owner);
  OnHotKey(*this, index);
}

bool THookHotKey::onMessage(Message& m) {
  if (m.msg != WM_HOTKEY) return false;
  NotifyHotKey(static_cast<std::int32_t>(m.wParam));
  return true;
}

}  // namespace rimfold::app
