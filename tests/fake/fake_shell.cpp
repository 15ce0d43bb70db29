// The fake desktop as IShell.
#include "fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "rtl/text_utils.h"

namespace rimfold::test {

// ---------------------------------------------------------------- IShell

void FakeDesktop::setTaskbar(TaskbarEdge edge, const TRect& rect, bool answers) {
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
  if (!taskbarAnswers_) return false;
  edge = taskbarEdge_;
  rect = taskbarRect_;
  return true;
}

bool FakeDesktop::isUserAnAdmin() {
  tick(Op::IsUserAnAdmin);
  return isAdmin_;
}

void FakeDesktop::shellExecute(Hwnd owner, const std::u16string& file,
                               const std::u16string& parameters,
                               const std::u16string& directory, int showCommand) {
  tick(Op::ShellExecute);
  shellLog_.push_back({false, owner, u"", file, parameters, directory, showCommand});
}

bool FakeDesktop::shellExecuteEx(Hwnd owner, const std::u16string& verb,
                                 const std::u16string& file, const std::u16string& parameters,
                                 int showCommand) {
  tick(Op::ShellExecuteEx);
  shellLog_.push_back({true, owner, verb, file, parameters, u"", showCommand});
  return shellExecuteExResult_;
}

}  // namespace rimfold::test
