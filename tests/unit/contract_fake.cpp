// The contract suite against the fake desktop, on the layouts the Wine desktops have (the
// shell desktop; two monitors with the second on the right) and with the primary second in
// the enumeration (the second on the left).
#include "contract/window_manager_contract.h"

#include "fake/fake_desktop.h"

namespace rimfold::contract {
namespace {

using test::FakeDesktop;
using test::FakeMonitor;
using test::FakeWindow;

class FakeContractDesktop final : public ContractDesktop {
 public:
  explicit FakeContractDesktop(const std::vector<FakeMonitor>& monitors) {
    d_.setMonitors(monitors);
  }
  IWindowManager& windows() override { return d_; }
  IInput& input() override { return d_; }
  Hwnd open(const ContractWindow& w) override {
    FakeWindow f;
    f.rect = w.rect;
    f.title = w.title;
    f.visible = w.show != Show::Hidden;
    f.iconic = w.show == Show::Minimized;
    f.zoomed = w.show == Show::Maximized;
    if (w.topmost) f.exStyle |= kWsExTopmost;
    if (f.zoomed) {
      // As Windows maximizes: the work area, with the frame hanging over it.
      MonitorInfo info;
      d_.getMonitorInfo(d_.monitorFromPoint({w.rect.Left, w.rect.Top}, MonitorDefault::Nearest),
                        info);
      const int frame = d_.getSystemMetrics(kSmCxFrame);
      f.rect = {info.work.Left - frame, info.work.Top - frame, info.work.Right + frame,
                info.work.Bottom + frame};
    }
    return d_.addWindow(f);
  }
  void close(Hwnd w) override { d_.destroyWindow(w); }
  void disable(Hwnd w) override { d_.window(w).enabled = false; }
  std::u16string windowClass() const override { return FakeWindow{}.className; }

 private:
  FakeDesktop d_;
};

DesktopKind fake(const char* name, std::vector<FakeMonitor> monitors) {
  return {name, [monitors] { return std::make_unique<FakeContractDesktop>(monitors); }};
}

INSTANTIATE_TEST_SUITE_P(
    Fake, WindowManagerContract,
    ::testing::Values(
        fake("Shell", {{.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1060}, .primary = true}}),
        fake("TwoMonitorsRight",
             {{.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true},
              {.bounds = {1920, 0, 3200, 1024}, .work = {1920, 0, 3200, 984}}}),
        fake("TwoMonitorsLeft",
             {{.bounds = {-1280, 0, 0, 1024}, .work = {-1280, 0, 0, 984}},
              {.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true}})),
    kindName);

}  // namespace
}  // namespace rimfold::contract
