// Window identity and classification: the shared vocabulary of every window decision.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace rimfold {

class WindowFacts;

struct WindowIdentity {
  std::u16string Title;
  std::u16string ClassName;
  std::u16string ImagePath;
};

// Trailing blanks and control characters removed (text already cut at the first NUL).
std::u16string trimWindowText(std::u16string_view text);
// The file-name part after the last "\" or ":", upper-cased in a to z only.
std::u16string exeNameOf(std::u16string_view imagePath);
std::u16string programKey(const WindowIdentity& id);  // EXE,
std::u16string classKey(const WindowIdentity& id);    // EXE,Class,
std::u16string windowKey(const WindowIdentity& id);   // EXE,Class,Title

// Fails when GetWindowRect fails or the window is parked at (-32000, -32000).
bool Func_WindowRect(Platform& p, Hwnd w, TRect& out);
// Outputs untouched on failure.
bool Func_WindowBounds(Platform& p, Hwnd w, WindowBox& out);
WindowBox boxOf(const TRect& r);

// GetModuleFileNameEx of the process, else its device path translated to a drive letter.
std::u16string Func_ProcessImagePath(Platform& p, std::uint32_t processId);
// The image path as an identity holds it: in its long form when the file exists.
std::u16string identityImagePath(Platform& p, std::uint32_t processId);
// The long form of an existing path, component by component from FindFirstFile.
std::u16string longPathOf(Platform& p, const std::u16string& path);
// "\Device\HarddiskVolumeN\..." to "X:\..." when a drive maps to the device.
std::u16string translateDevicePath(Platform& p, const std::u16string& devicePath);

bool Func_IsTargetWindow(WindowFacts& f, bool offScreenTest);
bool Func_IsModernAppWindow(Platform& p, Hwnd w, std::u16string_view className);
bool Func_IsBareStyle(WindowFacts& f);
bool Func_IsTopmost(Platform& p, Hwnd w);
bool Func_OffAllMonitors(Platform& p, const WindowBox& box);
bool Func_ForceForeground(Platform& p, Hwnd w);
// A top-level dialog box (class "#32770", message boxes among them) with this caption; 0 if none.
Hwnd Func_FindDialogBox(Platform& p, const std::u16string& caption);
int Func_CountTopWindows(Platform& p);
Hwnd Func_WindowUnderCursor(Platform& p);
Hwnd Func_RootAncestor(Platform& p, Hwnd w);
Hwnd Func_CaptionAncestor(Platform& p, Hwnd w);
void Proc_CenterLostWindow(Platform& p, Hwnd w);

}  // namespace rimfold
