// The hidden window the hotkey component registers its hotkeys on; WM_HOTKEY reaches the
// component (widgets/model/hook_hot_key.h), which keeps all the logic.
#pragma once

#include "ui/window_base.h"
#include "widgets/model/hook_hot_key.h"

namespace rimfold::widgets {

class HotKeyWindow final : public ui::WindowBase, public IHotKeyWindow {
 public:
  HotKeyWindow();
  ~HotKeyWindow() override;

  bool registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) override;
  bool unregisterHotKey(int id) override;
  void activateOwner() override;

  HWND owner = nullptr;
  THookHotKey* component = nullptr;

 private:
  bool onMessage(ui::Message& m) override;
};

}  // namespace rimfold::widgets
