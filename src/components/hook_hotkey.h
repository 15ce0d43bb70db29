// THookHotKey: system-wide hotkeys registered on a hidden window of their own, raised as
// an event with the index they were added under.
#pragma once

#include <cstdint>
#include <functional>

#include "app/window_base.h"

namespace rimfold::app {

class THookHotKey final : public WindowBase {
 public:
  using THotKeyEvent = std::function<void(THookHotKey& sender, std::int32_t index)>;

  THookHotKey();
  ~THookHotKey() override;

  bool Add(std::int32_t index, std::uint16_t hotKey);
  bool Delete(std::int32_t index);
  // Delete, then Add; both always run.
  bool Change(std::int32_t index, std::uint16_t hotKey);
  bool Apply(std::int32_t index, std::uint16_t hotKey, bool doHook);

  bool Activate = true;   // bring the owner to the foreground before the event
  HWND owner = nullptr;
  THotKeyEvent OnHotKey;

 private:
  void NotifyHotKey(std::int32_t index);
  bool onMessage(Message& m) override;
};

}  // namespace rimfold::app
