// IShell over shell32.
#pragma once

#include "platform/shell.h"

namespace rimfold::win32 {

class Win32Shell final : public IShell {
 public:
  std::u16string getFolderPath(int csidl) override;
  bool getTaskbarPos(TaskbarEdge& edge, TRect& rect) noexcept override;
  bool isUserAnAdmin() noexcept override;
  void shellExecute(Hwnd owner, const std::u16string& file, const std::u16string& parameters,
                    const std::u16string& directory, int showCommand) noexcept override;
  bool shellExecuteEx(Hwnd owner, const std::u16string& verb, const std::u16string& file,
                      const std::u16string& parameters, int showCommand) noexcept override;
};

}  // namespace rimfold::win32
