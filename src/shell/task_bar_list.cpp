#include "shell/task_bar_list.h"

#include <objbase.h>
#include <shobjidl.h>

namespace rimfold::app {

void TaskBarList::init() {
  done();
  comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  void* object = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_ITaskbarList, &object))) {
    list_ = static_cast<ITaskbarList*>(object);
  }
  shown_ = false;
}

void TaskBarList::done() {
  if (list_ != nullptr) list_->Release();
  list_ = nullptr;
  shown_ = false;
  if (comStarted_) ::CoUninitialize();
  comStarted_ = false;
}

// The shell's answers are not acted on.
void TaskBarList::show(HWND window) {
  if (list_ == nullptr || shown_) return;
  (void)list_->HrInit();
  (void)list_->AddTab(window);
  (void)list_->ActivateTab(window);
  shown_ = true;
}

void TaskBarList::hide(HWND window) {
  if (list_ == nullptr) return;
  (void)list_->HrInit();
  (void)list_->DeleteTab(window);
  shown_ = false;
}

}  // namespace rimfold::app
