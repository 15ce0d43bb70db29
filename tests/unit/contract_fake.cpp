// The contract suites against the fake desktop: the window manager on the layouts the Wine
// desktops have (the shell desktop; two monitors with the second on the right) and with the
// primary second in the enumeration (the second on the left); the files and the registry.
#include "contract/files_contract.h"
#include "contract/window_manager_contract.h"

#include <algorithm>

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
  IShell& shell() override { return d_; }
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
        fake("Shell",
             {{.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1060}, .primary = true}}),
        fake("TwoMonitorsRight",
             {{.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true},
              {.bounds = {1920, 0, 3200, 1024}, .work = {1920, 0, 3200, 984}}}),
        fake("TwoMonitorsLeft",
             {{.bounds = {-1280, 0, 0, 1024}, .work = {-1280, 0, 0, 984}},
              {.bounds = {0, 0, 1920, 1080}, .work = {0, 0, 1920, 1040}, .primary = true}})),
    kindName);

class FakeContractFiles final : public ContractFiles {
 public:
  FakeContractFiles() { d_.addDirectory(kFolder); }
  ISystem& system() override { return d_; }
  std::u16string folder() override { return kFolder; }
  void put(const std::u16string& path, const std::string& bytes) override {
    d_.addFile(path, bytes);
  }
  std::optional<std::string> contentOf(const std::u16string& path) override {
    return d_.fileBytes(path);
  }
  std::vector<std::u16string> entries() override {
    std::vector<std::u16string> names = d_.namesIn(kFolder);
    std::sort(names.begin(), names.end());
    return names;
  }
  void hold(const std::u16string& path, Holder how) override {
    d_.lockFile(path, how == Holder::Exclusive ? test::FileLock::Exclusive
                      : how == Holder::Writing ? test::FileLock::OpenForWriting
                                               : test::FileLock::OpenShared);
  }
  void release(const std::u16string& path) override { d_.lockFile(path, test::FileLock::None); }
  std::u16string scratchKey() override { return u"Software\\Quenbrook\\RimfoldContract"; }
  void putBinaryValue(const std::u16string& value, const std::string& bytes) override {
    d_.setHkcuBytes(scratchKey(), value, bytes);
  }

 private:
  static constexpr char16_t kFolder[] = u"C:\\users\\test\\AppData\\Local\\Temp\\contract";
  FakeDesktop d_;
};

INSTANTIATE_TEST_SUITE_P(Fake, FilesContract,
                         ::testing::Values(FilesKind{
                             "Fake", [] { return std::make_unique<FakeContractFiles>(); }}),
                         filesKindName);

}  // namespace
}  // namespace rimfold::contract
