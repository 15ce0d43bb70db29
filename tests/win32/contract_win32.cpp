// The contract suites against the real system: the window manager on whichever Wine desktop
// the run has (scripts/run-win32-tests.sh: the shell desktop, then the two-monitor one), the
// files in a temporary folder and the registry under a key of their own.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <memory>
#include <vector>

#include "contract/files_contract.h"
#include "contract/window_manager_contract.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_window_manager.h"
#include "win32/temp_folder.h"
#include "win32/test_window.h"

namespace rimfold::contract {
namespace {

using win32::test::OwnWindow;
using win32::test::OwnWindowDesc;

class RealContractDesktop final : public ContractDesktop {
 public:
  IWindowManager& windows() override { return windows_; }
  IInput& input() override { return input_; }
  IShell& shell() override { return shell_; }
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
  std::u16string windowClass() const override {
    return win32::fromWide(win32::test::kOwnWindowClass);
  }
  // The runner names the desktop (scripts/wine/desktop.sh); the Xorg ones have no window
  // manager to maximize a window.
  bool placesMaximizedWindows() const override {
    const wchar_t* kind = ::_wgetenv(L"WINE_DESKTOP_KIND");
    return kind == nullptr || std::wcsncmp(kind, L"monitors", 8) != 0;
  }
  bool reportsTaskbarHeight() const override { return false; }

 private:
  win32::Win32WindowManager windows_;
  win32::Win32Input input_;
  win32::Win32Shell shell_;
  std::vector<std::unique_ptr<OwnWindow>> open_;
};

INSTANTIATE_TEST_SUITE_P(Real, WindowManagerContract,
                         ::testing::Values(DesktopKind{
                             "Wine", [] { return std::make_unique<RealContractDesktop>(); }}),
                         kindName);

class RealContractFiles final : public ContractFiles {
 public:
  RealContractFiles() { ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::wide(kKey)); }
  ~RealContractFiles() override {
    held_.clear();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::wide(kKey));
  }
  ISystem& system() override { return system_; }
  std::u16string folder() override { return win32::fromWide(temp_.path()); }
  void put(const std::u16string& path, const std::string& bytes) override {
    ASSERT_TRUE(win32::test::writeBytes(std::wstring(win32::wide(path)), bytes));
  }
  std::optional<std::string> contentOf(const std::u16string& path) override {
    if (::GetFileAttributesW(win32::wide(path)) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return win32::test::readBytes(std::wstring(win32::wide(path)));
  }
  std::vector<std::u16string> entries() override {
    std::vector<std::u16string> names;
    for (const std::wstring& name : temp_.entries()) names.push_back(win32::fromWide(name));
    std::sort(names.begin(), names.end());
    return names;
  }
  void hold(const std::u16string& path, Holder how) override {
    const DWORD access = how == Holder::Writing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const DWORD share = how == Holder::Exclusive ? 0
                        : how == Holder::Reading ? FILE_SHARE_READ
                                                 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    win32::UniqueFile file{::CreateFileW(win32::wide(path), access, share, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)};
    ASSERT_TRUE(file) << "held as another program would";
    held_[path] = std::move(file);
  }
  void release(const std::u16string& path) override { held_.erase(path); }
  std::u16string scratchKey() override { return kKey; }
  void putBinaryValue(const std::u16string& value, const std::string& bytes) override {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, win32::wide(kKey), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    win32::UniqueRegKey owned{key};
    ASSERT_EQ(::RegSetValueExW(key, win32::wide(value), 0, REG_BINARY,
                               reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }

 private:
  static constexpr char16_t kKey[] = u"Software\\Quenbrook\\RimfoldContract";
  win32::Win32System system_;
  win32::test::TempFolder temp_;
  std::map<std::u16string, win32::UniqueFile> held_;
};

INSTANTIATE_TEST_SUITE_P(Real, FilesContract,
                         ::testing::Values(FilesKind{
                             "Wine", [] { return std::make_unique<RealContractFiles>(); }}),
                         filesKindName);

}  // namespace
}  // namespace rimfold::contract
