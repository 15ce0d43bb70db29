// The dialog's own taskbar button, through the shell's ITaskbarList. Without the shell
// object the calls do nothing: a missing button is no reason to fail.
#pragma once

#include <windows.h>

struct ITaskbarList;

namespace rimfold::app {

class TaskBarList {
 public:
  TaskBarList() = default;
  ~TaskBarList() { done(); }
  TaskBarList(const TaskBarList&) = delete;
  TaskBarList& operator=(const TaskBarList&) = delete;

  void init();
  void done();
  void show(HWND window);
  void hide(HWND window);

 private:
  ITaskbarList* list_ = nullptr;
  bool shown_ = false;
  bool comStarted_ = false;
};

}  // namespace rimfold::app
