// Shell services: folders, the taskbar position, elevation and launching programs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace rimfold {

inline constexpr int kCsidlAppData = 0x1A;

enum class TaskbarEdge : std::uint32_t { Left = 0, Top = 1, Right = 2, Bottom = 3 };

class IShell {
 public:
  virtual ~IShell() = default;

  // SHGetFolderPathW(null, csidl, null, SHGFP_TYPE_CURRENT) into 260 units, cut at NUL.
  virtual std::u16string getFolderPath(int csidl) = 0;
  // SHAppBarMessage(ABM_GETTASKBARPOS).
  virtual bool getTaskbarPos(TaskbarEdge& edge, TRect& rect) = 0;
  virtual bool isUserAnAdmin() = 0;
  // ShellExecuteW with the default verb; the result is not reported.
  virtual void shellExecute(Hwnd owner, const std::u16string& file,
                            const std::u16string& parameters, const std::u16string& directory,
                            int showCommand) = 0;
  // ShellExecuteExW with SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI.
  virtual bool shellExecuteEx(Hwnd owner, const std::u16string& verb, const std::u16string& file,
                              const std::u16string& parameters, int showCommand) = 0;
};

}  // namespace rimfold
