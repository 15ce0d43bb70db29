#include "shell/task_bar_list.h"

#include <objbase.h>
#include <shobjidl.h>

namespace rimfold::app {

namespace {

class TaskBar {
 public:
  ~TaskBar() { done(); }

  void init() {
    done();
    comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void* object = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ITaskbarList, &object))) {
      list_ = static_cast<ITaskbarList*>(object);
    }
    shown_ = false;
  }

  void done() {
    if (list_ != nullptr) list_->Release();
    list_ = nullptr;
    shown_ = false;
    if (comStarted_) ::CoUninitialize();
    comStarted_ = false;
  }

  // The shell's answers are not acted on: a missing button is no reason to fail.
  void show(HWND window) {
    if (list_ == nullptr || shown_) return;
    (void)list_->HrInit();
    (void)list_->AddTab(window);
    (void)list_->ActivateTab(window);
    shown_ = true;
  }

  void hide(HWND window) {
    if (list_ == nullptr) return;
    (void)list_->HrInit();
    (void)list_->DeleteTab(window);
    shown_ = false;
  }

 private:
  ITaskbarList* list_ = nullptr;
  bool shown_ = false;
  bool comStarted_ = false;
};

TaskBar gTaskBar;

}  // namespace

void TaskBarInit() { gTaskBar.init(); }
void TaskBarDone() { gTaskBar.done(); }
void TaskBarShow(HWND window) { gTaskBar.show(window); }
void TaskBarHide(HWND window) { gTaskBar.hide(window); }

}  // namespace rimfold::app
