// The fake desktop as IShell.
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

// ---------------------------------------------------------------- IShell

void FakeDesktop::setTaskbar(TaskbarEdge edge, const TRect& rect, bool answers) {
  taskbarSet_ = true;
  taskbarEdge_ = edge;
  taskbarRect_ = rect;
  taskbarAnswers_ = answers;
}

std::u16string FakeDesktop::getFolderPath(int csidl) {
  tick(Op::GetFolderPath);
  auto it = folders_.find(csidl);
  return it == folders_.end() ? std::u16string{} : it->second;
}

bool FakeDesktop::getTaskbarPos(TaskbarEdge& edge, TRect& rect) {
  tick(Op::GetTaskbarPos);
  if (taskbarSet_) {
    if (!taskbarAnswers_) return false;
    edge = taskbarEdge_;
    rect = taskbarRect_;
    return true;
  }
  const auto primary = std::find_if(monitors_.begin(), monitors_.end(),
                                    [](const FakeMonitor& m) { return m.primary; });
  if (primary == monitors_.end()) return false;
  const TRect& b = primary->bounds;
  const TRect& w = primary->work;
  rect = b;
  if (w.Bottom < b.Bottom) {
    edge = TaskbarEdge::Bottom;
    rect.Top = w.Bottom;
  } else if (w.Top > b.Top) {
    edge = TaskbarEdge::Top;
    rect.Bottom = w.Top;
  } else if (w.Left > b.Left) {
    edge = TaskbarEdge::Left;
    rect.Right = w.Left;
  } else if (w.Right < b.Right) {
    edge = TaskbarEdge::Right;
    rect.Left = w.Right;
  } else {
    return false;  // no strip left out: no taskbar to report
  }
  return true;
}

bool FakeDesktop::isUserAnAdmin() {
  tick(Op::IsUserAnAdmin);
  return isAdmin_;
}

void FakeDesktop::shellExecute(Hwnd owner, const std::u16string& file,
                               const std::u16string& parameters, const std::u16string& directory,
                               int showCommand) {
  tick(Op::ShellExecute);
  shellLog_.push_back({false, owner, u"", file, parameters, directory, showCommand});
}

bool FakeDesktop::shellExecuteEx(Hwnd owner, const std::u16string& verb, const std::u16string& file,
                                 const std::u16string& parameters, int showCommand) {
  tick(Op::ShellExecuteEx);
  shellLog_.push_back({true, owner, verb, file, parameters, u"", showCommand});
  return shellExecuteExResult_;
}

}  // namespace rimfold::test
