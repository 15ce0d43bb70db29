#include "ui/message_loop.h"

#include <windows.h>

namespace rimfold::ui {

int runMessageLoop(FunctionRef<bool()> ended) {
  MSG msg{};
  for (;;) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 0;  // only for an invalid window filter, which is never passed
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (ended()) return 0;
  }
}

bool processMessages() {
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace rimfold::ui
