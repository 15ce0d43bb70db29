#include "display/monitor_switch.h"

#include "system/data_dir.h"
#include "system/version.h"
#include "system/wow64.h"

namespace rimfold {

std::u16string displaySwitchArgument(int tag) {
  static constexpr const char16_t* kSwitches[kDisplayModeCount] = {u"/internal", u"/clone",
                                                                   u"/extend", u"/external"};
  if (tag < 0 || tag >= kDisplayModeCount) return {};
  return kSwitches[tag];
}

const DisplayModeTexts& displayModeCaptions(ISystem& s) {
  return IsWindows10(s) ? kDisplayModeCaptions10 : kDisplayModeCaptionsBefore10;
}

bool displayChangeVisible(ISystem& s) { return IsWindows7OrLater(s); }

std::u16string displaySwitchToolPath(ISystem& s) {
  return s.getSystemDirectory() + u"\\DisplaySwitch.exe";
}

void PPDisplayChangeClick(Platform& p, bool isWow64, Hwnd owner, int tag) {
  const std::u16string parameters = displaySwitchArgument(tag);
  std::u16string path = displaySwitchToolPath(p.system);
  // The existence test looks past the WOW64 redirection, into the real system folder.
  if (!FileExistsNative(p, isWow64, path)) return;
  path = SysnativePath(p, isWow64, path);
  ExecuteProgram(p, owner, path, parameters, u"", kSwShow);
}

}  // namespace rimfold
