// The contract suite against the real window manager, on whichever Wine desktop the run has
// (scripts/run-win32-tests.sh: the shell desktop, then the two-monitor one).
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <vector>

#include "contract/window_manager_contract.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_window_manager.h"
#include "win32/test_window.h"

namespace rimfold::contract {
namespace {

using win32::test::OwnWindow;
using win32::test::OwnWindowDesc;

class RealContractDesktop final : public ContractDesktop {
 public:
  IWindowManager& windows() override { return windows_; }
  IInput& input() override { return input_; }
  Hwnd open(const ContractWindow& w) override {
    OwnWindowDesc desc;
    desc.title.assign(w.title.begin(), w.title.end());
    desc.rect = {w.rect.Left, w.rect.Top, w.rect.Right, w.rect.Bottom};
    desc.exStyle = w.topmost ? WS_EX_TOPMOST : 0;
    desc.show = w.show == Show::Hidden      ? -1
                : w.show == Show::Minimized ? SW_SHOWMINIMIZED
                : w.show == Show::Maximized ? SW_SHOWMAXIMIZED
                                            : SW_SHOWNORMAL;
    open_.push_back(std::make_unique<OwnWindow>(desc));
    return open_.back()->handle();
  }
  void close(Hwnd w) override {
    std::erase_if(open_, [w](const std::unique_ptr<OwnWindow>& o) { return o->handle() == w; });
    win32::test::pumpMessages();
  }
  void disable(Hwnd w) override { ::EnableWindow(win32::toHwnd(w), FALSE); }
  std::u16string windowClass() const override { return win32::fromWide(win32::test::kOwnWindowClass); }
  // The runner names the desktop (scripts/wine/desktop.sh); the Xorg ones have no window
  // manager to maximize a window.
  bool placesMaximizedWindows() const override {
    const wchar_t* kind = ::_wgetenv(L"WINE_DESKTOP_KIND");
    return kind == nullptr || std::wcsncmp(kind, L"monitors", 8) != 0;
  }

 private:
  win32::Win32WindowManager windows_;
  win32::Win32Input input_;
  std::vector<std::unique_ptr<OwnWindow>> open_;
};

INSTANTIATE_TEST_SUITE_P(Real, WindowManagerContract,
                         ::testing::Values(DesktopKind{"Wine", [] {
                           return std::make_unique<RealContractDesktop>();
                         }}),
                         kindName);

}  // namespace
}  // namespace rimfold::contract
