#include "widgets/model/hook_hot_key.h"

#include "widgets/model/shortcut_text.h"

namespace rimfold {

bool THookHotKey::Add(std::int32_t index, std::uint16_t hotKey) {
  const HotKeyRegistration r = hotKeyRegistration(hotKey);
  return window_.registerHotKey(index, r.modifiers, r.key);
}

bool THookHotKey::Delete(std::int32_t index) { return window_.unregisterHotKey(index); }

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
  if (Activate) window_.activateOwner();
  OnHotKey(*this, index);
}

}  // namespace rimfold
