// Out-of-context WinEvent hooks. Their procedure gets no context argument, so every hook
// of the process reports to the one listener set here.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::win32 {

class IWinEventListener {
 public:
  // windowItself: about the window (OBJID_WINDOW, CHILDID_SELF), not an object inside it.
  virtual void onWinEvent(std::uint32_t event, Hwnd w, bool windowItself) = 0;

 protected:
  ~IWinEventListener() = default;
};

// nullptr stops the reports; a listener clears itself before it goes.
void setWinEventListener(IWinEventListener* listener) noexcept;
IWinEventListener* winEventListener() noexcept;

// Events min..max of every other process; invalid when the system refuses.
UniqueWinEventHook hookWinEvents(std::uint32_t min, std::uint32_t max) noexcept;

}  // namespace rimfold::win32
