// The rules of the window and monitor queries that the engine's decisions rest on, written
// once and run against every desktop that implements them: the fake one (native unit tests,
// tests/unit/contract_fake.cpp) and the real one (the Windows tests under Wine, on the shell
// desktop and on the two-monitor desktop, tests/win32/contract_win32.cpp). Expectations are
// derived from the monitors the desktop reports, so one case holds on any layout.
//
// Where Wine is known to differ from Windows, it is said here and nowhere else:
//  - Wine has no window manager: getVisibleFrame and isCloaked always fail there (the dwm10
//    desktop flavour stands in for Windows 10), so they are not part of this contract.
//  - Wine parks a minimized window at (-32000, -32000) with the size of a minimized caption
//    as Windows does; the size is Wine's own, so only the corner is the contract.
//  - On the Xorg desktops Wine runs without a window manager, and X11 leaves maximizing to
//    one: a maximized window reports itself maximized but keeps its size. Its rectangle is
//    part of the contract only where the desktop places it (placesMaximizedWindows).
//  - Wine's taskbar answers ABM_GETTASKBARPOS with a strip one pixel high along the bottom of
//    the screen, however high it is drawn: its edge and its outer side are the contract
//    there, its height only where the desktop reports it (reportsTaskbarHeight).
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/input.h"
#include "platform/shell.h"
#include "platform/window_manager.h"

namespace rimfold::contract {

enum class Show { Hidden, Normal, Minimized, Maximized };

struct ContractWindow {
  TRect rect{100, 100, 500, 400};
  std::u16string title = u"contract window";
  Show show = Show::Normal;
  bool topmost = false;
};

// One desktop under test; the windows it opens are this program's own and go with it.
class ContractDesktop {
 public:
  virtual ~ContractDesktop() = default;
  virtual IWindowManager& windows() = 0;
  virtual IInput& input() = 0;
  virtual IShell& shell() = 0;
  // A top-level overlapped window; a maximized one fills the work area of the monitor its
  // rect is on.
  virtual Hwnd open(const ContractWindow& w) = 0;
  virtual void close(Hwnd w) = 0;
  virtual void disable(Hwnd w) = 0;
  virtual std::u16string windowClass() const = 0;  // the class of the windows it opens
  virtual bool placesMaximizedWindows() const { return true; }
  virtual bool reportsTaskbarHeight() const { return true; }
};

struct DesktopKind {
  const char* name;
  std::function<std::unique_ptr<ContractDesktop>()> make;
  friend void PrintTo(const DesktopKind& k, std::ostream* os) { *os << k.name; }
};

}  // namespace rimfold::contract
