// The tray's Win32 side: the shell record, the shared handler window and its callback
// routing, the simple timers on their real window, and the popup menu as Win32 builds it.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "widgets/hook_hotkey.h"
#include "app/tray_menu.h"
#include "widgets/simple_timer_window.h"
#include "widgets/tray_icon_handler.h"
#include "shell/tray_popup_menu.h"
#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_platform.h"

namespace rimfold::shell {
namespace {

// Pumps this thread's messages for about ms milliseconds.
void pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  MSG msg{};
  while (::GetTickCount() - start < ms) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  }
}

TEST(TrayRecordTest, TheShellGetsTheWindows2000LayoutWithATerminatedTip) {
  struct Row {
    std::u16string tip;
    std::wstring expected;
  } rows[] = {
      {u"", L""},
      {u"Rimfold - 停止", L"Rimfold - 停止"},
      {std::u16string(126, u'x'), std::wstring(126, L'x')},
      // Longer than the field: cut so that the terminator still fits.
      {std::u16string(200, u'y'), std::wstring(127, L'y')},
  };
  for (const Row& r : rows) {
    NotifyIconData d;
    d.hWnd = 0x1234;
    d.uID = static_cast<std::uintptr_t>(
        0x0000'7FFF'1234'5678ULL);  // cut to 32 bits in the 32-bit build
    d.hIcon = 0x42;
    d.szTip = r.tip;
    const NOTIFYICONDATAW n = widgets::toNotifyIconData(d);
    EXPECT_EQ(n.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
    EXPECT_EQ(n.hWnd, win32::toHwnd(0x1234));
    EXPECT_EQ(n.uID, 0x1234'5678u);  // the shell keeps 32 bits of the identifier
    EXPECT_EQ(n.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(n.uCallbackMessage, 0x0800u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(n.hIcon), 0x42u);
    EXPECT_EQ(std::wstring(n.szTip), r.expected);
  }
}

class TrayComponentTest : public testing::Test {
 protected:
  widgets::SimpleTimerWindow timerWindow_;
  win32::Win32Platform system_;
  Platform p_ = system_.platform();
};

TEST_F(TrayComponentTest, TheHandlerRoutesCallbacksOnlyToLiveIconsAndIgnoresClosing) {
  auto first = std::make_unique<widgets::TrayIconOwner>(p_.input);
  auto second = std::make_unique<widgets::TrayIconOwner>(p_.input);
  const HWND handler = first->Handle();
  ASSERT_NE(handler, nullptr);
  EXPECT_EQ(second->Handle(), handler);  // one handler window per process

  std::vector<std::string> seen;
  first->component().OnMouseDown = [&](TrayMouseButton b, std::uint32_t, std::int32_t,
                                       std::int32_t) {
    seen.push_back(b == TrayMouseButton::Right ? "first right" : "first other");
  };
  second->component().OnMouseUp = [&](TrayMouseButton, std::uint32_t, std::int32_t, std::int32_t) {
    seen.push_back("second up");
  };
  const auto id = [](widgets::TrayIconOwner& o) {
    return static_cast<WPARAM>(o.component().IconData().uID);
  };

  EXPECT_EQ(::SendMessageW(handler, 0x0800, id(*first), WM_RBUTTONDOWN), 0);
  ::SendMessageW(handler, 0x0800, id(*second), WM_MBUTTONUP);
  ::SendMessageW(handler, 0x0800, 12345, WM_RBUTTONDOWN);  // nobody's identifier
  first->component().Enabled = false;
  ::SendMessageW(handler, 0x0800, id(*first), WM_RBUTTONDOWN);
  EXPECT_EQ(seen, (std::vector<std::string>{"first right", "second up"}));

  for (UINT msg :
       {UINT{WM_CLOSE}, UINT{WM_QUERYENDSESSION}, UINT{WM_ENDSESSION}, UINT{WM_DESTROY}}) {
    EXPECT_EQ(::SendMessageW(handler, msg, 0, 0), 1) << msg;
  }
  EXPECT_TRUE(::IsWindow(handler));

  const WPARAM gone = id(*first);
  first.reset();
  ::SendMessageW(handler, 0x0800, gone, WM_RBUTTONDOWN);  // a freed icon is not reached
  EXPECT_TRUE(::IsWindow(handler));
  second.reset();
  EXPECT_FALSE(::IsWindow(handler));  // the last icon takes the handler with it
}

TEST_F(TrayComponentTest, SimpleTimersTickOnTheSharedWindowAndAutoDisableOnce) {
  int repeating = 0;
  int oneShot = 0;
  {
    TSimpleTimer a(20, [&](TSimpleTimer&) { ++repeating; });
    TSimpleTimer b(20, [&](TSimpleTimer&) { ++oneShot; });
    b.AutoDisable = true;
    a.setEnabled(true);
    b.setEnabled(true);
    ASSERT_NE(TSimpleTimerHandler::instance(), nullptr);
    EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 2);
    pump(300);
    EXPECT_GE(repeating, 3);
    EXPECT_EQ(oneShot, 1);
    EXPECT_FALSE(b.Enabled());
    EXPECT_EQ(TSimpleTimerHandler::instance()->ActiveCount, 1);
    a.setEnabled(false);
    const int stoppedAt = repeating;
    pump(100);
    EXPECT_EQ(repeating, stoppedAt);
    EXPECT_NE(timerWindow_.handle(), nullptr);
  }
  EXPECT_EQ(TSimpleTimerHandler::instance(), nullptr);
  EXPECT_EQ(timerWindow_.handle(), nullptr);
}

struct MenuHost final : app::ITrayMenuHost, app::IConfigDialog {
  Hwnd mainWindow() override { return 0; }
  bool visible() const noexcept override { return false; }
  std::u16string showModal() override { return {}; }
  void closeMainForm() override {}
};

struct ShownItem {
  std::wstring caption;
  UINT type;
  UINT state;
  int children;
  bool operator==(const ShownItem&) const = default;
};

std::vector<ShownItem> readMenu(HMENU menu) {
  std::vector<ShownItem> items;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[128]{};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    mi.dwTypeData = text;
    mi.cch = 128;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
    const int children = mi.hSubMenu != nullptr ? ::GetMenuItemCount(mi.hSubMenu) : -1;
    items.push_back({text, mi.fType & (MFT_SEPARATOR | MFT_RADIOCHECK),
                     mi.fState & (MFS_CHECKED | MFS_DEFAULT), children});
    if (mi.hSubMenu != nullptr) {
      for (const ShownItem& child : readMenu(mi.hSubMenu)) {
        items.push_back({L"  " + child.caption, child.type, child.state, child.children});
      }
    }
  }
  return items;
}

TEST_F(TrayComponentTest, TheShownMenuHasEveryCaptionCheckRadioAndTheDefaultItem) {
  TraySettings s;
  s.Stop = true;
  s.MoveWindowSpeed = true;
  s.DispDialog = false;
  s.Constraints = 2;
  widgets::TrayIconOwner icon(p_.input);
  widgets::HotKeyWindow hotKeyWindow;
  THookHotKey hotKey(hotKeyWindow);
  MenuHost host;
  const SystemTraits system;
  app::TrayMenu menu(p_, host, host, icon.component(), hotKey, app::TrayIcons{}, s, system);
  menu.setUp();
  // Wine runs elevated, so the elevated command is not offered; its prefix reports 6.1.
  ASSERT_FALSE(menu.visible(app::PPAdminQ));
  win32::UniqueMenu shown = buildTrayMenu(menu, nullptr);
  ASSERT_TRUE(shown);
  constexpr UINT kDef = MFS_DEFAULT;
  constexpr UINT kChk = MFS_CHECKED;
  constexpr UINT kSep = MFT_SEPARATOR;
  constexpr UINT kRad = MFT_RADIOCHECK;
  const std::vector<ShownItem> expected = {
      {L"停止(&S)", 0, kDef | kChk, -1},
      {L"設定(&C)", 0, 0, -1},
      {L"慣性移動(&M)", 0, kChk, -1},
      {L"モニタの変更時ダイアログを表示(&D)", 0, 0, -1},
      {L"モニタ復帰時にウィンドウを戻す", 0, kChk, -1},
      {L"サインイン時に起動", 0, 0, -1},
      {L"", kSep, 0, -1},
      {L"ウィンドウの最小の大きさを制限", 0, 0, 4},
      {L"  しない", kRad, 0, -1},
      {L"  1/2", kRad, 0, -1},
      {L"  1/3", kRad, kChk, -1},
      {L"  1/4", kRad, 0, -1},
      {L"ドラッグ中にウィンドウの内容を表示する(&W)", 0, 0, -1},
      {L"モニタ切り替え", 0, 0, 4},
      {L"  コンピュータのみ", 0, 0, -1},
      {L"  複製", 0, 0, -1},
      {L"  拡張", 0, 0, -1},
      {L"  プロジェクターのみ", 0, 0, -1},
      {L"", kSep, 0, -1},
      {L"言語 / Language", 0, 0, 2},
      {L"  日本語", kRad, kChk, -1},
      {L"  English", kRad, 0, -1},
      {L"終了(&X)", 0, 0, -1},
  };
  EXPECT_EQ(readMenu(shown.get()), expected);
  // The command ids are the table's, so WM_COMMAND finds the item again.
  EXPECT_EQ(::GetMenuItemID(shown.get(), 0), static_cast<UINT>(app::PPStop));
  EXPECT_EQ(::GetMenuItemID(shown.get(), 12), static_cast<UINT>(app::PPClose));
}

TEST_F(TrayComponentTest, TheMenuChosenInEnglishIsShownInEnglishAtOnce) {
  widgets::TrayIconOwner icon(p_.input);
  widgets::HotKeyWindow hotKeyWindow;
  THookHotKey hotKey(hotKeyWindow);
  MenuHost host;
  const SystemTraits system;
  app::TrayMenu menu(p_, host, host, icon.component(), hotKey, app::TrayIcons{}, TraySettings{},
                     system);
  menu.setUp();
  menu.click(app::PPLanguage1);
  win32::UniqueMenu shown = buildTrayMenu(menu, nullptr);
  setUiLanguage(Language::Japanese);  // the process's, for the tests after this one
  ASSERT_TRUE(shown);
  const std::vector<ShownItem> items = readMenu(shown.get());
  struct Row {
    std::size_t index;
    const wchar_t* caption;
  };
  // Wine's prefix reports 6.1: the display modes as Windows 7 names them.
  for (const Row& r : {Row{0, L"&Stop"}, Row{1, L"Se&ttings..."}, Row{14, L"  Computer only"},
                       Row{17, L"  Projector only"}, Row{20, L"  日本語"}, Row{21, L"  English"},
                       Row{22, L"E&xit"}}) {
    ASSERT_LT(r.index, items.size());
    EXPECT_EQ(items[r.index].caption, r.caption) << r.index;
  }
  EXPECT_EQ(items[21].state, static_cast<UINT>(MFS_CHECKED));
  EXPECT_EQ(icon.component().Hint(), u"Rimfold");
}

}  // namespace
}  // namespace rimfold::shell
