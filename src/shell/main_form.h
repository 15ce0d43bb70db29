// TMainForm: the hidden main window. It is never shown and has no taskbar button. It
// raises what it receives for the application host and knows nothing else: the hook's
// drag ends posted back to it, display changes, menu commands, the close, the end of the
// session and a restarted taskbar.
#pragma once

#include <windows.h>

#include "platform/types.h"
#include "platform/win32/unique_handle.h"
#include "ui/window_base.h"

namespace rimfold::shell {

inline constexpr wchar_t kMainFormClass[] = L"TMainForm";
// Posted by the hook's drag-end record: wParam is the dragged window.
inline constexpr UINT kMsgDragEnded = WM_APP + 1;
// Posted by an event that asks for an early tick.
inline constexpr UINT kMsgEarlyTick = WM_APP + 2;

class IMainFormEvents {
 public:
  // A drag ended; posted, so that it runs from the window procedure, never inside a sweep.
  virtual void postedDragEnd(Hwnd w) = 0;
  virtual void displayChanged() = 0;
  // A menu command: only the item's id, which may be one the menu does not show now.
  virtual void menuCommand(int id) = 0;
  virtual void closeAsked() = 0;  // WM_CLOSE: the installer, taskkill, the menu's own post
  // WM_QUERYENDSESSION: the program closes before it answers, and never refuses the end.
  virtual void sessionEnding() = 0;
  // "TaskbarCreated": the shell has restarted and lost the icon.
  virtual void taskbarCreated() = 0;
  // An early tick, posted: it runs once the messages before it are handled.
  virtual void earlyTickPosted() = 0;

 protected:
  ~IMainFormEvents() = default;
};

class TMainForm final : public ui::WindowBase {
 public:
  explicit TMainForm(IMainFormEvents& events) : events_(events) {}
  ~TMainForm() override;

  // The hidden window with its own large icon. False when the window could not be made.
  bool create();
  // From the hook: the drag's end comes back as a message of its own.
  void postDragEnded(Hwnd w);
  void postEarlyTick();

 private:
  bool onMessage(ui::Message& m) override;

  IMainFormEvents& events_;
  win32::UniqueIcon formIcon_;  // the form's own 32 x 32 icon
  UINT taskbarCreated_ = 0;
};

}  // namespace rimfold::shell
