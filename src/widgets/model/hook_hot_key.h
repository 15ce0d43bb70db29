// THookHotKey: system-wide hotkeys registered on one hidden window, delivered as an event
// with the index given to Add. The window and RegisterHotKey are behind IHotKeyWindow.
#pragma once

#include <cstdint>
#include <functional>

namespace rimfold {

class IHotKeyWindow {
 public:
  virtual ~IHotKeyWindow() = default;
  // RegisterHotKey / UnregisterHotKey on the component's hidden window.
  virtual bool registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) = 0;
  virtual bool unregisterHotKey(int id) = 0;
  // SetForegroundWindow on the owning form's window.
  virtual void activateOwner() = 0;
};

class THookHotKey;
using THotKeyEvent = std::function<void(THookHotKey& sender, std::int32_t index)>;

class THookHotKey {
 public:
  explicit THookHotKey(IHotKeyWindow& window) : window_(window) {}
  virtual ~THookHotKey() = default;

  bool Add(std::int32_t index, std::uint16_t hotKey);
  bool Delete(std::int32_t index);
  // Both steps always run; true only when both succeeded.
  bool Change(std::int32_t index, std::uint16_t hotKey);
  bool Apply(std::int32_t index, std::uint16_t hotKey, bool doHook);
  // WM_HOTKEY with this identifier.
  virtual void NotifyHotKey(std::int32_t index);

  bool Activate = true;
  THotKeyEvent OnHotKey;

 private:
  IHotKeyWindow& window_;
};

}  // namespace rimfold
