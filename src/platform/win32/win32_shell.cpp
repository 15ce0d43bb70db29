#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/win32_convert.h"

namespace rimfold::win32 {

std::u16string Win32Shell::getFolderPath(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return fromWideBuffer(buffer);
}

bool Win32Shell::getTaskbarPos(TaskbarEdge& edge, TRect& rect) noexcept {
  APPBARDATA data{};
  data.cbSize = sizeof(data);
  if (!::SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return false;
  edge = static_cast<TaskbarEdge>(data.uEdge);
  rect = fromRect(data.rc);
  return true;
}

bool Win32Shell::isUserAnAdmin() noexcept { return ::IsUserAnAdmin() != FALSE; }

void Win32Shell::shellExecute(Hwnd owner, const std::u16string& file,
                              const std::u16string& parameters, const std::u16string& directory,
                              int showCommand) noexcept {
  ::ShellExecuteW(toHwnd(owner), nullptr, wide(file), wide(parameters), wide(directory),
                  showCommand);
}

bool Win32Shell::shellExecuteEx(Hwnd owner, const std::u16string& verb, const std::u16string& file,
                                const std::u16string& parameters, int showCommand) noexcept {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // No UI: a missing file would otherwise raise a blocking error box.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = toHwnd(owner);
  info.lpVerb = verb.empty() ? nullptr : wide(verb);
  info.lpFile = wide(file);
  info.lpParameters = wide(parameters);
  info.nShow = showCommand;
  return ::ShellExecuteExW(&info) != FALSE;
}

}  // namespace rimfold::win32
