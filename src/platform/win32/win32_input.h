// IInput over user32: key and cursor state, metrics and system parameters.
#pragma once

#include "platform/input.h"

namespace rimfold::win32 {

class Win32Input final : public IInput {
 public:
  std::int16_t getAsyncKeyState(int virtualKey) noexcept override;
  bool getCursorPos(TPoint& out) noexcept override;
  int getSystemMetrics(int index) noexcept override;
  int getSystemMetricsForWindow(int index, Hwnd w) noexcept override;

  bool getWorkArea(TRect& out) noexcept override;
  bool getForegroundLockTimeout(std::uint32_t& out) noexcept override;
  bool setForegroundLockTimeout(std::uint32_t value) noexcept override;
  bool getDragFullWindows(bool& out) noexcept override;
  bool setDragFullWindows(bool on) noexcept override;
  bool getScreenSaverRunning(bool& out) noexcept override;
  bool getNonClientBorderWidth(std::uint32_t structSize, int& out) noexcept override;
  bool getBorder(int& out) noexcept override;

  void keybdEvent(std::uint8_t virtualKey, bool keyUp) noexcept override;
  std::u16string keyNameText(int virtualKey) override;
};

}  // namespace rimfold::win32
