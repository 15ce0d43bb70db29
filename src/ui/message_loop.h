// The application's message loop and the one-shot pump of pending messages.
#pragma once

namespace rimfold::app {

// Dispatches messages until WM_QUIT; returns its exit code.
int runMessageLoop();

// Handles every message already waiting, then returns. A WM_QUIT met here is posted
// again so that the main loop still ends; returns false in that case.
bool processMessages();

}  // namespace rimfold::app
