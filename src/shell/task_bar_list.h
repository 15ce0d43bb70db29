// The dialog's own taskbar button, through the shell's ITaskbarList. Without the shell
// object the calls do nothing: a missing button is no reason to fail.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

struct ITaskbarList;

namespace rimfold::shell {

class TaskBarList {
 public:
  TaskBarList();
  ~TaskBarList();
  TaskBarList(const TaskBarList&) = delete;
  TaskBarList& operator=(const TaskBarList&) = delete;

  void init();
  void done();
  void show(HWND window);
  void hide(HWND window);

 private:
  win32::UniqueCom<ITaskbarList> list_;
  bool shown_ = false;
  bool comStarted_ = false;
};

}  // namespace rimfold::shell
