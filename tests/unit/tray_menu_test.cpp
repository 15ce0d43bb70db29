#include "app/tray_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "widgets/model/shortcut_text.h"
#include "fake/fake_desktop.h"
#include "fake_hot_key_window.h"
#include "fake_timer_window.h"
#include "fake_tray_shell.h"
#include "system/sign_in.h"
#include "system/uac_check.h"
#include "system/wow64.h"

namespace rimfold::app {
namespace {

using test::FakeDesktop;
using test::FakeHotKeyWindow;
using test::FakePopupMenu;
using test::FakeTimerWindow;
using test::FakeTrayShell;
using test::FakeWindow;

constexpr IconHandle kFormIcon = 0xF0;
constexpr IconHandle kStopIcon = 0x50;

class FakeMenuHost final : public ITrayMenuHost, public IConfigDialog {
 public:
  Hwnd mainWindow() override { return 0x3030; }
  bool visible() const noexcept override { return dialogVisible; }
  std::u16string showModal() override {
    steps.push_back(trayEnabled && !trayEnabled() ? "modal, tray disabled" : "modal");
    return newHotKey.value_or(shownHotKey);
  }
  void closeMainForm() override { steps.push_back("close"); }

  bool dialogVisible = false;
  std::u16string shownHotKey;  // what the dialog was given at its creation
  std::optional<std::u16string> newHotKey;
  std::function<bool()> trayEnabled;
  std::vector<std::string> steps;
};

struct MenuRig {
  explicit MenuRig(TraySettings s = {}, bool setUp = true) : settings(std::move(s)) {
    app = d.addWindow(FakeWindow{});
    d.setForeground(app);
    icon.setIcon(0x1111);  // the initial design icon
    icon.setHint(u"Rimfold");
    icon.setIconVisible(true);
    icon.PopupMenu = &popup;
    popup.onDefault = [this] { return menu.clickDefaultItem(); };
    host.trayEnabled = [this] { return icon.Enabled; };
    host.shownHotKey = settings.HotKeyStop;
    if (setUp) menu.setUp();
  }
  // The language is the process's: a rig that chose English leaves Japanese behind.
  ~MenuRig() { setUiLanguage(Language::Japanese); }
  std::u16string tip() const { return shell.log.back().data.szTip; }
  IconHandle shownIcon() const { return shell.log.back().data.hIcon; }

  FakeDesktop d;
  Platform p = d.platform();
  FakeTimerWindow timers{d};
  FakeTrayShell shell;
  FakePopupMenu popup;
  TCoolTrayIcon icon{shell, d};
  FakeHotKeyWindow hotKeyWindow;
  THookHotKey hotKey{hotKeyWindow};
  FakeMenuHost host;
  TraySettings settings;
  SystemTraits system;
  TrayMenu menu{p, host, host, icon, hotKey, TrayIcons{kFormIcon, kStopIcon}, settings, system};
  Hwnd app = 0;
};

TEST(TrayMenuTable, ItemsInDisplayOrderWithTheirCaptionsAndKinds) {
  struct Row {
    TrayMenuId id;
    const char16_t* caption;
    TrayItemKind kind;
  };
  const Row rows[] = {
      {PPStop, u"停止(&S)", TrayItemKind::Check},
      {PPConfig, u"設定(&C)", TrayItemKind::Command},
      {PPMoveWindowSpeed, u"慣性移動(&M)", TrayItemKind::Check},
      {PPDispDialog, u"モニタの変更時ダイアログを表示(&D)", TrayItemKind::Check},
      {PPReturnWindows, u"モニタ復帰時にウィンドウを戻す", TrayItemKind::Check},
      {PPSignIn, u"サインイン時に起動", TrayItemKind::Check},
      {PPAdminQ, u"非常駐モード（管理者）を実行", TrayItemKind::Command},
      {N1, u"-", TrayItemKind::Separator},
      {PPConstraints, u"ウィンドウの最小の大きさを制限", TrayItemKind::Submenu},
      {PPConstraints0, u"しない", TrayItemKind::Radio},
      {PPConstraints1, u"1/2", TrayItemKind::Radio},
      {PPConstraints2, u"1/3", TrayItemKind::Radio},
      {PPConstraints3, u"1/4", TrayItemKind::Radio},
      {CHKDragfullwindows, u"ドラッグ中にウィンドウの内容を表示する(&W)", TrayItemKind::Check},
      {PPDisplayChange, u"モニタ切り替え", TrayItemKind::Submenu},
      {PPDisplayChange0, u"PC画面のみ", TrayItemKind::Command},
      {PPDisplayChange1, u"複製", TrayItemKind::Command},
      {PPDisplayChange2, u"拡張", TrayItemKind::Command},
      {PPDisplayChange3, u"拡張セカンドスクリーンのみ", TrayItemKind::Command},
      {N2, u"-", TrayItemKind::Separator},
      {PPLanguage, u"言語 / Language", TrayItemKind::Submenu},
      {PPLanguage0, u"日本語", TrayItemKind::Radio},
      {PPLanguage1, u"English", TrayItemKind::Radio},
      {PPClose, u"終了(&X)", TrayItemKind::Command},
  };
  ASSERT_EQ(std::size(rows), std::size(kTrayMenu));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const TrayMenuItemDef& d = kTrayMenu[i];
    EXPECT_EQ(d.id, rows[i].id) << i;
    const std::u16string caption = d.text == kNoText ? u"-" : uiText(d.text, Language::Japanese);
    EXPECT_EQ(caption, rows[i].caption) << i;
    EXPECT_EQ(d.kind, rows[i].kind) << i;
  }
}

TEST(TrayMenuTable, GroupsTagsDefaultAndSelfChecking) {
  for (const TrayMenuItemDef& d : kTrayMenu) {
    const bool constraint = d.id >= PPConstraints0 && d.id <= PPConstraints3;
    const bool display = d.id >= PPDisplayChange0 && d.id <= PPDisplayChange3;
    const bool language = d.id == PPLanguage0 || d.id == PPLanguage1;
    EXPECT_EQ(d.groupIndex, constraint ? 1 : language ? 2 : 0) << d.id;
    if (language) {
      EXPECT_EQ(d.tag, d.id - PPLanguage0);
    }
    if (constraint) {
      EXPECT_EQ(d.tag, d.id - PPConstraints0);
    }
    if (display) {
      EXPECT_EQ(d.tag, d.id - PPDisplayChange0);
    }
    EXPECT_EQ(d.parent, constraint ? PPConstraints
                        : display  ? PPDisplayChange
                        : language ? PPLanguage
                                   : kTopLevel)
        << d.id;
    EXPECT_EQ(d.isDefault, d.id == PPStop) << d.id;
    // The sign-in item's check shows the registry, not its own flip.
    EXPECT_EQ(d.autoCheck, d.kind == TrayItemKind::Check && d.id != PPSignIn) << d.id;
  }
}

TEST(TrayMenu, InitialStateFromTheSettings) {
  struct Case {
    const char* name;
    TraySettings s;
    TrayMenuId radio;
    IconHandle icon;
    const char16_t* hint;
  } cases[] = {
      {"defaults", {}, PPConstraints0, 0x1111, u"Rimfold"},
      {"stopped, 1/4", {true, false, true, 3, u""}, PPConstraints3, kStopIcon, u"Rimfold - 停止"},
      {"level out of range", {false, true, false, 7, u""}, PPConstraints0, 0x1111, u"Rimfold"},
  };
  for (const auto& c : cases) {
    MenuRig r(c.s);
    EXPECT_EQ(r.menu.checked(PPStop), c.s.Stop) << c.name;
    EXPECT_EQ(r.menu.checked(PPDispDialog), c.s.DispDialog) << c.name;
    EXPECT_EQ(r.menu.checked(PPMoveWindowSpeed), c.s.MoveWindowSpeed) << c.name;
    for (int i = 0; i < 4; ++i) {
      const auto id = static_cast<TrayMenuId>(PPConstraints0 + i);
      EXPECT_EQ(r.menu.checked(id), id == c.radio) << c.name << " " << i;
    }
    // A stopped start already shows the stop icon.
    EXPECT_EQ(r.shownIcon(), c.icon) << c.name;
    EXPECT_EQ(r.tip(), c.hint) << c.name;
  }
}

TEST(TrayMenu, TheLanguageTakesEffectAtOnceAndIsKeptOnlyOnceChosen) {
  struct Case {
    const char* name;
    std::optional<Language> stored;
    bool stopped;
    TrayMenuId choose;  // 0 for none
    Language shown;
    const char16_t* stopCaption;
    const char16_t* tip;
    std::optional<Language> kept;
  } cases[] = {
      {"none stored", std::nullopt, false, kTopLevel, Language::Japanese, u"停止(&S)", u"Rimfold",
       std::nullopt},
      {"English stored", Language::English, false, kTopLevel, Language::English, u"&Stop",
       u"Rimfold", Language::English},
      {"English chosen while stopped", std::nullopt, true, PPLanguage1, Language::English, u"&Stop",
       u"Rimfold - Stopped", Language::English},
      {"Japanese chosen back", Language::English, true, PPLanguage0, Language::Japanese,
       u"停止(&S)", u"Rimfold - 停止", Language::Japanese},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TraySettings s;
    s.language = c.stored;
    s.Stop = c.stopped;
    MenuRig r(s);
    r.d.setVersion(10, 0);
    r.menu.setUp();
    if (c.choose != kTopLevel) r.menu.click(c.choose);
    EXPECT_EQ(uiLanguage(), c.shown);
    EXPECT_EQ(r.menu.caption(PPStop), c.stopCaption);
    EXPECT_EQ(r.menu.caption(PPDisplayChange0), uiText(UiText::DisplayPcOnly10, c.shown));
    EXPECT_EQ(r.menu.checked(PPLanguage0), c.shown == Language::Japanese);
    EXPECT_EQ(r.menu.checked(PPLanguage1), c.shown == Language::English);
    EXPECT_EQ(r.tip(), c.tip);
    EXPECT_EQ(r.menu.settings().language, c.kept);
  }
}

TEST(TrayMenu, ChoosingALevelChecksOnlyThatRadioItem) {
  MenuRig r;
  r.menu.click(PPConstraints2);  // "1/3"
  EXPECT_EQ(r.menu.MPPConstraintsC, 2);
  for (TrayMenuId id : {PPConstraints0, PPConstraints1, PPConstraints2, PPConstraints3}) {
    EXPECT_EQ(r.menu.checked(id), id == PPConstraints2) << id;
  }
  r.menu.click(PPConstraints0);
  EXPECT_EQ(r.menu.MPPConstraintsC, 0);
  EXPECT_TRUE(r.menu.checked(PPConstraints0));
  EXPECT_FALSE(r.menu.checked(PPConstraints2));
}

TEST(TrayMenu, StopPresentsTheStateAndHandsTheForegroundToTheDesktop) {
  MenuRig r;
  // The fake's desktop handle names no window; give it one so that it can take the foreground.
  FakeWindow desktop;
  desktop.handle = FakeDesktop::kDesktopHwnd;
  r.d.addWindow(desktop);
  r.d.setForeground(r.app);
  ASSERT_EQ(r.d.getForegroundWindow(), r.app);
  r.menu.click(PPStop);
  EXPECT_TRUE(r.menu.checked(PPStop));
  EXPECT_EQ(r.shownIcon(), kStopIcon);
  EXPECT_EQ(r.tip(), u"Rimfold - 停止");
  EXPECT_EQ(r.d.getForegroundWindow(), FakeDesktop::kDesktopHwnd);
  r.menu.click(PPStop);
  EXPECT_FALSE(r.menu.checked(PPStop));
  EXPECT_EQ(r.shownIcon(), kFormIcon);  // the form's icon, not the initial one
  EXPECT_EQ(r.tip(), u"Rimfold");
}

TEST(TrayMenu, TheHotKeyTogglesOnlyForIndexOne) {
  MenuRig r({false, true, false, 0, u"Ctrl+Alt+S"});
  ASSERT_EQ(r.hotKeyWindow.log.size(), 1u);
  EXPECT_EQ(r.hotKeyWindow.log[0].id, 1);
  EXPECT_EQ(r.hotKeyWindow.log[0].modifiers, 3u);
  EXPECT_EQ(r.hotKeyWindow.log[0].key, 0x53u);
  EXPECT_FALSE(r.hotKey.Activate);
  r.hotKey.NotifyHotKey(2);
  EXPECT_FALSE(r.menu.checked(PPStop));
  r.hotKey.NotifyHotKey(1);
  EXPECT_TRUE(r.menu.checked(PPStop));
  EXPECT_EQ(r.tip(), u"Rimfold - 停止");
  r.hotKey.NotifyHotKey(1);
  EXPECT_FALSE(r.menu.checked(PPStop));
  EXPECT_EQ(r.tip(), u"Rimfold");
  EXPECT_EQ(r.shownIcon(), kFormIcon);
  EXPECT_EQ(r.hotKeyWindow.activations, 0);
}

TEST(TrayMenu, ADoubleClickOnTheIconTogglesStopUnlessDisabled) {
  MenuRig r;
  r.icon.HandleIconMessage(kWmLButtonDblClk);
  EXPECT_TRUE(r.menu.checked(PPStop));
  EXPECT_EQ(r.tip(), u"Rimfold - 停止");
  r.icon.Enabled = false;
  r.icon.HandleIconMessage(kWmLButtonDblClk);
  EXPECT_TRUE(r.menu.checked(PPStop));
}

TEST(TrayMenu, ConfigUnregistersDisablesShowsEnablesAndRegistersAgain) {
  struct Case {
    const char* name;
    std::u16string before;
    std::optional<std::u16string> after;
    bool dialogVisible;
    std::vector<std::string> steps;
    bool registered;  // index 1 afterwards
    std::uint32_t key;
  } cases[] = {
      {"hotkey changed", u"Ctrl+Alt+S", u"Shift+F5", false, {"modal, tray disabled"}, true, 116},
      {"hotkey kept", u"Ctrl+Alt+S", std::nullopt, false, {"modal, tray disabled"}, true, 0x53},
      {"hotkey cleared", u"Ctrl+Alt+S", u"", false, {"modal, tray disabled"}, false, 0},
      {"no hotkey", u"", std::nullopt, false, {"modal, tray disabled"}, false, 0},
      // A text that names no key registers nothing, before or after, and is kept.
      {"text names no key",
       u"Ctrl+Nonsense",
       std::nullopt,
       false,
       {"modal, tray disabled"},
       false,
       0},
      {"dialog already up", u"Ctrl+Alt+S", u"Shift+F5", true, {}, true, 0x53},
  };
  for (const auto& c : cases) {
    MenuRig r({false, true, false, 0, c.before});
    r.hotKeyWindow.log.clear();
    r.host.dialogVisible = c.dialogVisible;
    r.host.newHotKey = c.after;
    r.menu.click(PPConfig);
    EXPECT_EQ(r.host.steps, c.steps) << c.name;
    EXPECT_TRUE(r.icon.Enabled) << c.name;
    EXPECT_EQ(r.hotKeyWindow.registered.count(1) != 0, c.registered) << c.name;
    if (c.registered && !c.dialogVisible) {
      ASSERT_EQ(r.hotKeyWindow.log.size(), 1u) << c.name;
      EXPECT_EQ(r.hotKeyWindow.log[0].key, c.key) << c.name;
    } else if (c.dialogVisible || !c.registered) {
      EXPECT_TRUE(r.hotKeyWindow.log.empty()) << c.name;
    }
    // Nothing registered under index 1: nothing to take back either.
    EXPECT_EQ(r.hotKeyWindow.unregisters, c.before.empty() || c.dialogVisible ? 0 : 1) << c.name;
    EXPECT_EQ(r.menu.settings().HotKeyStop, c.dialogVisible ? c.before : c.after.value_or(c.before))
        << c.name;
  }
}

TEST(TrayMenu, DragFullWindowsIsReadOnPopupAndWrittenOnClick) {
  MenuRig r;
  r.d.setDragFullWindowsValue(true);  // changed by another program
  EXPECT_FALSE(r.menu.checked(CHKDragfullwindows));
  r.menu.PPMenuPopup();
  EXPECT_TRUE(r.menu.checked(CHKDragfullwindows));
  r.menu.click(CHKDragfullwindows);
  EXPECT_FALSE(r.menu.checked(CHKDragfullwindows));
  EXPECT_FALSE(r.d.dragFullWindows());
  r.menu.click(CHKDragfullwindows);
  EXPECT_TRUE(r.d.dragFullWindows());
  EXPECT_EQ(r.d.calls(test::Op::SetDragFullWindows), 2u);
}

// The item shows the registry's entry for this exe, read again at every popup, and a click
// that the registry refuses leaves the check as it was.
TEST(TrayMenu, SignInFollowsTheEntryForThisExe) {
  MenuRig r;
  const std::u16string exe = r.d.getModuleFileName();
  EXPECT_FALSE(r.menu.checked(PPSignIn));
  r.menu.click(PPSignIn);
  EXPECT_TRUE(r.menu.checked(PPSignIn));
  EXPECT_TRUE(startsAtSignIn(r.d, exe));

  r.d.writeHkcuString(kRunKey, kSignInValue, u"\"D:\\elsewhere\\Rimfold.exe\"");
  r.menu.PPMenuPopup();
  EXPECT_FALSE(r.menu.checked(PPSignIn)) << "another copy's entry";
  r.menu.click(PPSignIn);
  EXPECT_TRUE(startsAtSignIn(r.d, exe)) << "the click takes the entry over";

  r.d.setHkcuWritesFail(true);
  r.menu.click(PPSignIn);
  EXPECT_TRUE(r.menu.checked(PPSignIn));
  r.d.setHkcuWritesFail(false);
  r.menu.click(PPSignIn);
  EXPECT_FALSE(r.menu.checked(PPSignIn));
}

TEST(TrayMenu, SelfCheckingItemsFlipAndCloseClosesTheForm) {
  MenuRig r;
  r.menu.click(PPMoveWindowSpeed);
  r.menu.click(PPDispDialog);
  EXPECT_TRUE(r.menu.checked(PPMoveWindowSpeed));
  EXPECT_FALSE(r.menu.checked(PPDispDialog));
  r.menu.click(PPConstraints1);
  const TraySettings s = r.menu.settings();
  EXPECT_EQ(s, (TraySettings{false, false, true, 1, u""}));
  EXPECT_TRUE(r.host.steps.empty());
  r.menu.click(PPClose);
  EXPECT_EQ(r.host.steps, (std::vector<std::string>{"close"}));
}

TEST(TrayMenu, DisplayChangeCaptionsAndVisibilityByVersion) {
  struct Case {
    const char* name;
    std::uint32_t major, minor;
    bool visible;
    std::vector<std::u16string> captions;
  } cases[] = {
      {"Vista", 6, 0, false, {u"コンピュータのみ", u"複製", u"拡張", u"プロジェクターのみ"}},
      {"7", 6, 1, true, {u"コンピュータのみ", u"複製", u"拡張", u"プロジェクターのみ"}},
      {"8.1", 6, 3, true, {u"コンピュータのみ", u"複製", u"拡張", u"プロジェクターのみ"}},
      {"10", 10, 0, true, {u"PC画面のみ", u"複製", u"拡張", u"拡張セカンドスクリーンのみ"}},
  };
  for (const auto& c : cases) {
    MenuRig r({}, false);
    r.d.setVersion(c.major, c.minor);
    r.menu.setUp();
    EXPECT_EQ(r.menu.visible(PPDisplayChange), c.visible) << c.name;
    for (int i = 0; i < 4; ++i) {
      const auto id = static_cast<TrayMenuId>(PPDisplayChange0 + i);
      // Items of a hidden submenu cannot be reached either.
      EXPECT_EQ(r.menu.shown(id), c.visible) << c.name << i;
      EXPECT_EQ(r.menu.caption(id), c.captions[static_cast<std::size_t>(i)]) << c.name << i;
      EXPECT_EQ(r.menu.tag(id), i);
    }
  }
}

TEST(TrayMenu, AdminQIsOfferedOnlyWhereElevationGainsSomething) {
  struct Case {
    const char* name;
    std::uint32_t major;
    bool uac, admin;
    bool visible;
  } cases[] = {
      {"7, UAC on, standard user", 6, true, false, true},
      {"UAC off", 6, false, false, false},
      {"already elevated", 10, true, true, false},
      {"XP", 5, true, false, false},
  };
  for (const auto& c : cases) {
    MenuRig r({}, false);
    r.d.setVersion(c.major, 1);
    r.d.setUserIsAdmin(c.admin);
    r.system.UACEnabled = c.uac;
    r.menu.setUp();
    EXPECT_EQ(r.menu.visible(PPAdminQ), c.visible) << c.name;
    EXPECT_EQ(r.menu.shown(PPAdminQ), c.visible) << c.name;
    EXPECT_TRUE(r.menu.shown(PPConstraints2)) << c.name;
    EXPECT_FALSE(r.menu.shown(PPStop - 1)) << c.name;
    EXPECT_FALSE(r.menu.shown(kTrayMenuEnd)) << c.name;
  }
}

TEST(TrayMenu, AdminQStartsThisProgramElevatedWithQ) {
  MenuRig r;
  r.d.setModuleFileName(u"C:\\Tools\\Rimfold\\Rimfold.exe");
  r.d.setShellExecuteExResult(false);  // refused: nothing else happens
  r.menu.click(PPAdminQ);
  ASSERT_EQ(r.d.shellExecuteLog().size(), 1u);
  // The arguments themselves are ExecuteElevated's tests; here: this program, elevated.
  const test::ShellExecuteCall& call = r.d.shellExecuteLog()[0];
  EXPECT_EQ(call.verb + u" " + call.file + u" " + call.parameters,
            u"runas C:\\Tools\\Rimfold\\Rimfold.exe /Q");
  EXPECT_EQ(call.owner, 0x3030u);
  EXPECT_TRUE(r.host.steps.empty());
}

TEST(TrayMenu, DisplayModeItemsStartTheToolWithTheirSwitch) {
  MenuRig r;
  r.d.addFile(u"C:\\windows\\system32\\DisplaySwitch.exe", "MZ");
  const char16_t* switches[] = {u"/internal", u"/clone", u"/extend", u"/external"};
  for (int i = 0; i < 4; ++i) r.menu.click(static_cast<TrayMenuId>(PPDisplayChange0 + i));
  ASSERT_EQ(r.d.shellExecuteLog().size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.d.shellExecuteLog()[static_cast<std::size_t>(i)].parameters, switches[i]);
    EXPECT_EQ(r.d.shellExecuteLog()[static_cast<std::size_t>(i)].owner, 0x3030u);
  }
}

}  // namespace
}  // namespace rimfold::app
