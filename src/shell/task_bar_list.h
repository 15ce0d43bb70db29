// TaskBarList: the dialog's own taskbar button, through the shell's ITaskbarList. One
// object for the run; without it (no shell object) the calls do nothing.
#pragma once

#include <windows.h>

namespace rimfold::app {

void TaskBarInit();   // the main form's creation
void TaskBarDone();   // the main form's destruction; also at program end if still held
void TaskBarShow(HWND window);
void TaskBarHide(HWND window);

}  // namespace rimfold::app
