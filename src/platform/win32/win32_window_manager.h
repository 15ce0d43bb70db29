// IWindowManager over user32.
#pragma once

#include "platform/window_manager.h"

namespace rimfold::win32 {

class Win32WindowManager final : public IWindowManager {
 public:
  void enumWindows(FunctionRef<bool(Hwnd)> callback) override;
  void listTopWindows(std::vector<Hwnd>& out) override;
  bool getWindowRect(Hwnd w, TRect& out) noexcept override;
  bool getVisibleFrame(Hwnd w, TRect& out) noexcept override;
  bool isCloaked(Hwnd w) noexcept override;
  bool isWindowVisible(Hwnd w) noexcept override;
  bool isWindowEnabled(Hwnd w) noexcept override;
  bool isIconic(Hwnd w) noexcept override;
  bool isZoomed(Hwnd w) noexcept override;
  bool respondsWithin(Hwnd w, std::uint32_t timeoutMs) noexcept override;
  int getWindowTextLength(Hwnd w) noexcept override;
  std::u16string getWindowText(Hwnd w) override;
  std::u16string getClassName(Hwnd w) override;
  std::uint32_t getStyle(Hwnd w) noexcept override;
  std::uint32_t getExStyle(Hwnd w) noexcept override;
  Hwnd getParent(Hwnd w) noexcept override;
  Hwnd windowFromPoint(TPoint p) noexcept override;
  Hwnd getForegroundWindow() noexcept override;
  bool setForegroundWindow(Hwnd w) noexcept override;
  bool bringWindowToTop(Hwnd w) noexcept override;
  Hwnd getDesktopWindow() noexcept override;
  std::uint32_t getWindowThreadProcessId(Hwnd w, std::uint32_t* processId) noexcept override;
  bool attachThreadInput(std::uint32_t thread, std::uint32_t toThread,
                         bool attach) noexcept override;
  bool moveWindow(Hwnd w, const WindowBox& box, bool repaint) noexcept override;
  bool showWindowAsync(Hwnd w, ShowCommand command) noexcept override;
  Hwnd findWindowEx(Hwnd parent, Hwnd childAfter, const char16_t* className,
                    const char16_t* title) noexcept override;
  // These four run other windows' procedures (a modal loop, sent messages): not noexcept.
  int messageBox(Hwnd owner, const std::u16string& text, const std::u16string& caption,
                 std::uint32_t style) override;
  bool setWindowText(Hwnd w, const std::u16string& text) override;
  void sendClose(Hwnd w) override;
  void sendCommand(Hwnd w, int id) override;

  void enumDisplayMonitors(std::vector<Hmonitor>& out) override;
  bool getMonitorInfo(Hmonitor m, MonitorInfo& out) noexcept override;
  Hmonitor monitorFromWindow(Hwnd w, MonitorDefault fallback) noexcept override;
  Hmonitor monitorFromPoint(TPoint p, MonitorDefault fallback) noexcept override;
};

}  // namespace rimfold::win32
