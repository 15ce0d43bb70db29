#include "shell/task_bar_list.h"

#include <objbase.h>
#include <shobjidl.h>

#include "platform/win32/dialog_libraries.h"

namespace rimfold::shell {

namespace {
// Spelled out here: linking libuuid for two of them brought in 40 KB of others.
constexpr CLSID kClsidTaskbarList = {
    0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
constexpr IID kIidTaskbarList = {
    0x56FDF342, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
}  // namespace

TaskBarList::TaskBarList() = default;
TaskBarList::~TaskBarList() { done(); }

void TaskBarList::init() {
  done();
  comStarted_ = SUCCEEDED(win32::coInitializeEx(COINIT_APARTMENTTHREADED));
  void* object = nullptr;
  if (SUCCEEDED(win32::coCreateInstance(kClsidTaskbarList, CLSCTX_INPROC_SERVER, kIidTaskbarList,
                                        &object))) {
    list_.reset(static_cast<ITaskbarList*>(object));
  }
  shown_ = false;
}

void TaskBarList::done() {
  list_.reset();
  shown_ = false;
  if (comStarted_) win32::coUninitialize();
  comStarted_ = false;
}

// The shell's answers are not acted on.
void TaskBarList::show(HWND window) {
  if (!list_ || shown_) return;
  (void)list_->HrInit();
  (void)list_->AddTab(window);
  (void)list_->ActivateTab(window);
  shown_ = true;
}

void TaskBarList::hide(HWND window) {
  if (!list_) return;
  (void)list_->HrInit();
  (void)list_->DeleteTab(window);
  shown_ = false;
}

}  // namespace rimfold::shell
