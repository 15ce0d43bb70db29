#include "platform/win32/win32_event_hook.h"

#include "platform/win32/win32_convert.h"

namespace rimfold::win32 {

namespace {

IWinEventListener* gListener = nullptr;

void CALLBACK winEventProc(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                           DWORD) {
  if (gListener != nullptr) {
    gListener->onWinEvent(event, fromHwnd(hwnd), object == OBJID_WINDOW && child == CHILDID_SELF);
  }
}

}  // namespace

void setWinEventListener(IWinEventListener* listener) noexcept { gListener = listener; }

IWinEventListener* winEventListener() noexcept { return gListener; }

UniqueWinEventHook hookWinEvents(std::uint32_t min, std::uint32_t max) noexcept {
  return UniqueWinEventHook(::SetWinEventHook(min, max, nullptr, &winEventProc, 0, 0,
                                              WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

}  // namespace rimfold::win32
