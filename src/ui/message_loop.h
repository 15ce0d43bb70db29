// The application's message loop and the one-shot pump of pending messages.
#pragma once

#include "platform/function_ref.h"

namespace rimfold::ui {

// Dispatches messages until WM_QUIT, or until ended() holds after a message: a quit posted
// inside another modal loop (a popup menu's) can be lost there, and the program must still
// end. Returns the quit's exit code, 0 otherwise.
int runMessageLoop(FunctionRef<bool()> ended);

// Handles every message already waiting, then returns. A WM_QUIT met here is posted
// again so that the main loop still ends; returns false in that case.
bool processMessages();

}  // namespace rimfold::ui
