// Window management and monitors: what the core asks of user32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/function_ref.h"
#include "platform/types.h"

namespace rimfold {

// How long the program waits for another program's window to answer before it leaves that
// window for a later sweep. Healthy windows answer in well under a millisecond.
inline constexpr std::uint32_t kAnswerTimeoutMs = 200;

class IWindowManager {
 public:
  virtual ~IWindowManager() = default;

  // Top-level windows in Z-order, topmost first; the callback returns false to stop.
  virtual void enumWindows(FunctionRef<bool(Hwnd)> callback) = 0;
  // The desktop's top-level windows in no promised order, for counting them: out is
  // replaced. One list from the system, where Wine's EnumWindows asks after each window.
  virtual void listTopWindows(std::vector<Hwnd>& out) = 0;
  virtual bool getWindowRect(Hwnd w, TRect& out) = 0;
  // The part of the rectangle the window manager draws (DWMWA_EXTENDED_FRAME_BOUNDS): on
  // Windows 10 and 11 a sizable window's resize borders are invisible. False where the window
  // manager does not answer (Vista and 7 without composition, Wine).
  virtual bool getVisibleFrame(Hwnd w, TRect& out) = 0;
  // DWMWA_CLOAKED: on another virtual desktop, a suspended store app, a hidden shell surface.
  // Such a window passes IsWindowVisible and is not on the screen.
  virtual bool isCloaked(Hwnd w) = 0;
  virtual bool isWindowVisible(Hwnd w) = 0;
  virtual bool isWindowEnabled(Hwnd w) = 0;
  virtual bool isIconic(Hwnd w) = 0;
  virtual bool isZoomed(Hwnd w) = 0;
  // SendMessageTimeoutW(WM_NULL, SMTO_ABORTIFHUNG): the window's thread took a message
  // within timeoutMs. Sent after moveWindow, it also returns only once the move is applied.
  virtual bool respondsWithin(Hwnd w, std::uint32_t timeoutMs) = 0;
  virtual int getWindowTextLength(Hwnd w) = 0;
  // As read through a 260-unit buffer, up to the first NUL.
  virtual std::u16string getWindowText(Hwnd w) = 0;
  virtual std::u16string getClassName(Hwnd w) = 0;
  virtual std::uint32_t getStyle(Hwnd w) = 0;    // GWL_STYLE
  virtual std::uint32_t getExStyle(Hwnd w) = 0;  // GWL_EXSTYLE
  virtual Hwnd getParent(Hwnd w) = 0;
  virtual Hwnd windowFromPoint(TPoint p) = 0;
  virtual Hwnd getForegroundWindow() = 0;
  virtual bool setForegroundWindow(Hwnd w) = 0;
  // Asynchronous for another thread's window, like moveWindow.
  virtual bool bringWindowToTop(Hwnd w) = 0;
  virtual Hwnd getDesktopWindow() = 0;
  // Returns the thread id; the process id goes to processId when it is not null.
  virtual std::uint32_t getWindowThreadProcessId(Hwnd w, std::uint32_t* processId) = 0;
  virtual bool attachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) = 0;
  // MoveWindow's placement, asynchronous (SWP_ASYNCWINDOWPOS): another thread's window
  // applies it when it next takes messages, so a hung window cannot hold the caller.
  virtual bool moveWindow(Hwnd w, const WindowBox& box, bool repaint) = 0;
  // ShowWindowAsync: posted like moveWindow's placement and applied in order with it.
  virtual bool showWindowAsync(Hwnd w, ShowCommand command) = 0;
  // Class and title may be null (match any).
  virtual Hwnd findWindowEx(Hwnd parent, Hwnd childAfter, const char16_t* className,
                            const char16_t* title) = 0;

  // MessageBoxW: modal, it runs a message loop until the box closes; the button's id.
  virtual int messageBox(Hwnd owner, const std::u16string& text, const std::u16string& caption,
                         std::uint32_t style) = 0;
  // The three below send to a box found by its caption, which may be another program's:
  // each waits at most kAnswerTimeoutMs for a window of another thread.
  virtual bool setWindowText(Hwnd w, const std::u16string& text) = 0;
  // WM_CLOSE: returns once the window has handled it (or the wait has run out).
  virtual void sendClose(Hwnd w) = 0;
  // WM_COMMAND as the dialog button with this id sends it when clicked.
  virtual void sendCommand(Hwnd w, int id) = 0;

  // Monitors in EnumDisplayMonitors order; out is replaced.
  virtual void enumDisplayMonitors(std::vector<Hmonitor>& out) = 0;
  virtual bool getMonitorInfo(Hmonitor m, MonitorInfo& out) = 0;
  virtual Hmonitor monitorFromWindow(Hwnd w, MonitorDefault fallback) = 0;
  virtual Hmonitor monitorFromPoint(TPoint p, MonitorDefault fallback) = 0;
};

}  // namespace rimfold
