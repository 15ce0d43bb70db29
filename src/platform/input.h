// Input state, system metrics and system parameters.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace rimfold {

class IInput {
 public:
  virtual ~IInput() = default;

  virtual std::int16_t getAsyncKeyState(int virtualKey) = 0;
  virtual bool getCursorPos(TPoint& out) = 0;
  virtual int getSystemMetrics(int index) = 0;
  // The metric as the system draws it on the window's monitor, for metrics that follow the
  // monitor's DPI (caption buttons, frames); getSystemMetrics where the system cannot say.
  virtual int getSystemMetricsForWindow(int index, Hwnd w) = 0;

  // SystemParametersInfoW
  virtual bool getWorkArea(TRect& out) = 0;                        // SPI_GETWORKAREA
  virtual bool getForegroundLockTimeout(std::uint32_t& out) = 0;   // SPI_GETFOREGROUNDLOCKTIMEOUT
  virtual bool setForegroundLockTimeout(std::uint32_t value) = 0;  // with SPIF_SENDCHANGE
  virtual bool getDragFullWindows(bool& out) = 0;                  // SPI_GETDRAGFULLWINDOWS
  virtual bool setDragFullWindows(bool on) = 0;       // SPIF_UPDATEINIFILE | SPIF_SENDCHANGE
  virtual bool getScreenSaverRunning(bool& out) = 0;  // SPI_GETSCREENSAVERRUNNING
  // SPI_GETNONCLIENTMETRICS with the given structure size; the border width.
  virtual bool getNonClientBorderWidth(std::uint32_t structSize, int& out) = 0;
  virtual bool getBorder(int& out) = 0;  // SPI_GETBORDER

  // keybd_event with scan code 0 and no extra information.
  virtual void keybdEvent(std::uint8_t virtualKey, bool keyUp) = 0;
  // GetKeyNameTextW of the key's scan code (MapVirtualKeyW) in bits 16 to 23; empty when
  // the key has no scan code or no name.
  virtual std::u16string keyNameText(int virtualKey) = 0;
};

}  // namespace rimfold
