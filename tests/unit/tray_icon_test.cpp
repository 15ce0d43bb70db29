#include "widgets/model/cool_tray_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/fake_desktop.h"
#include "fake_timer_window.h"
#include "fake_tray_shell.h"

namespace rimfold {
namespace {

using test::FakeDesktop;
using test::FakePopupMenu;
using test::FakeTimerWindow;
using test::FakeTrayShell;

// The program's icon: hint "Rimfold", visible, with a popup menu.
struct TrayRig {
  TrayRig() {
    icon.setIcon(0x1111);
    icon.setHint(u"Rimfold");
    icon.setIconVisible(true);
    icon.PopupMenu = &menu;
    icon.OnClick = [this] { events.push_back("click"); };
    icon.OnDblClick = [this] { events.push_back("dblclick"); };
    icon.OnMouseDown = [this](TrayMouseButton b, std::uint32_t, std::int32_t, std::int32_t) {
      events.push_back(b == TrayMouseButton::Left    ? "down L"
                       : b == TrayMouseButton::Right ? "down R"
                                                     : "down M");
    };
    icon.OnMouseUp = [this](TrayMouseButton b, std::uint32_t, std::int32_t, std::int32_t) {
      events.push_back(b == TrayMouseButton::Left    ? "up L"
                       : b == TrayMouseButton::Right ? "up R"
                                                     : "up M");
    };
    icon.OnMouseMove = [this](std::uint32_t, std::int32_t, std::int32_t) {
      events.push_back("move");
    };
    d.setCursorPos({1800, 1070});
    shell.log.clear();
  }
  void send(std::initializer_list<std::uint32_t> codes, std::int64_t gapMs = 0) {
    for (std::uint32_t c : codes) {
      icon.HandleIconMessage(c);
      timers.run(gapMs);
    }
  }

  FakeDesktop d;
  FakeTimerWindow timers{d};
  FakeTrayShell shell;
  FakePopupMenu menu;
  TCoolTrayIcon icon{shell, d};
  std::vector<std::string> events;
};

TEST(TrayIcon, TheRecordCarriesTheFixedFieldsAndTheCutHint) {
  struct Case {
    const char* name;
    std::u16string hint;
    bool showHint;
    std::u16string tip;
  } cases[] = {
      {"program hint", u"Rimfold", true, u"Rimfold"},
      {"200 characters", std::u16string(200, u'x'), true, std::u16string(126, u'x')},
      {"126 characters", std::u16string(126, u'y'), true, std::u16string(126, u'y')},
      {"empty hint", u"", true, u""},
      {"ShowHint false", u"Rimfold", false, u""},
  };
  for (const auto& c : cases) {
    TrayRig r;
    r.icon.setShowHint(c.showHint);
    r.icon.setHint(c.hint);
    ASSERT_FALSE(r.shell.log.empty()) << c.name;
    const FakeTrayShell::Call& last = r.shell.log.back();
    EXPECT_EQ(last.message, kNimModify) << c.name;
    EXPECT_EQ(last.data.cbSize, 936u) << c.name;
    EXPECT_EQ(last.data.uFlags, 7u) << c.name;
    EXPECT_EQ(last.data.uCallbackMessage, 0x0800u) << c.name;
    EXPECT_EQ(last.data.hWnd, FakeTrayShell::kHandler) << c.name;
    EXPECT_EQ(last.data.uID, reinterpret_cast<std::uintptr_t>(&r.icon)) << c.name;
    EXPECT_EQ(last.data.hIcon, 0x1111u) << c.name;
    EXPECT_EQ(last.data.szTip, c.tip) << c.name;
  }
}

TEST(TrayIcon, VisibilityAddsAndDeletesAndIconChangesModifyOnce) {
  FakeDesktop d;
  FakeTimerWindow timers{d};
  FakeTrayShell shell;
  {
    TCoolTrayIcon icon{shell, d};
    EXPECT_FALSE(icon.IconVisible());
    icon.setIconVisible(true);
    shell.answer = false;  // the state follows the request, not the shell
    icon.setIcon(0x2222);
    icon.setIconVisible(false);
    EXPECT_FALSE(icon.IconVisible());
    icon.setIconVisible(true);
    EXPECT_TRUE(icon.IconVisible());
    shell.log.clear();
  }
  // Freeing the component takes the icon out of the notification area.
  ASSERT_EQ(shell.log.size(), 1u);
  EXPECT_EQ(shell.log[0].message, kNimDelete);
  EXPECT_EQ(shell.log[0].data.hIcon, 0x2222u);
}

TEST(TrayIcon, LoadedUpdatesThenAddsAndSetsVersionZero) {
  FakeDesktop d;
  FakeTimerWindow timers{d};
  FakeTrayShell shell;
  TCoolTrayIcon icon{shell, d};
  icon.setIconVisible(true);
  shell.log.clear();
  icon.Loaded();
  ASSERT_EQ(shell.log.size(), 3u);
  EXPECT_EQ(shell.log[0].message, kNimModify);
  EXPECT_EQ(shell.log[1].message, kNimAdd);
  EXPECT_EQ(shell.log[2].message, kNimSetVersion);
  EXPECT_EQ(shell.log[2].data.uVersion, 0u);
}

TEST(TrayIcon, TaskbarCreatedReAddsWithTheCurrentIconAndTip) {
  struct Case {
    const char* name;
    bool visible;
    std::size_t calls;
  } cases[] = {{"visible", true, 1}, {"hidden", false, 0}};
  for (const auto& c : cases) {
    TrayRig r;
    r.icon.setIcon(0x5555);  // the stop icon
    r.icon.setHint(u"Rimfold - 停止");
    r.icon.setIconVisible(c.visible);
    r.shell.log.clear();
    r.icon.TaskbarCreated();
    ASSERT_EQ(r.shell.log.size(), c.calls) << c.name;
    if (c.calls == 0) continue;
    EXPECT_EQ(r.shell.log[0].message, kNimAdd) << c.name;
    EXPECT_EQ(r.shell.log[0].data.hIcon, 0x5555u) << c.name;
    EXPECT_EQ(r.shell.log[0].data.szTip, u"Rimfold - 停止") << c.name;
  }
}

TEST(TrayIcon, CallbackCodesRaiseTheirEvents) {
  struct Case {
    const char* name;
    int behavior;
    std::uint32_t code;
    std::vector<std::string> events;
    std::size_t popups;
  } cases[] = {
      {"move", 0, kWmMouseMove, {"move"}, 0},
      {"right down opens the menu", 0, kWmRButtonDown, {"down R"}, 1},
      {"right up, win95", 0, kWmRButtonUp, {"up R"}, 0},
      {"right up, win2000", 1, kWmRButtonUp, {}, 0},
      {"context menu, win95", 0, kWmContextMenu, {}, 0},
      {"context menu, win2000", 1, kWmContextMenu, {"up R"}, 0},
      {"select, win2000", 1, kNinSelect, {"up R"}, 0},
      {"key select, win2000", 1, kNinKeySelect, {"up R"}, 0},
      {"middle down", 0, kWmMButtonDown, {"down M"}, 0},
      {"middle up", 0, kWmMButtonUp, {"up M"}, 0},
      {"left down", 0, kWmLButtonDown, {"down L"}, 0},
      {"unknown", 0, 0x0209, {}, 0},
  };
  for (const auto& c : cases) {
    TrayRig r;
    r.icon.setBehavior(c.behavior);
    r.send({c.code});
    EXPECT_EQ(r.events, c.events) << c.name;
    ASSERT_EQ(r.menu.shownAt.size(), c.popups) << c.name;
    if (c.popups != 0) {
      EXPECT_EQ(r.menu.shownAt[0], (TPoint{1800, 1070})) << c.name;
      EXPECT_GE(r.shell.foregrounds, 1) << c.name;  // or the menu would not close
    }
  }
}

TEST(TrayIcon, ASingleClickWaitsForTheDoubleClickTime) {
  TrayRig r;
  r.send({kWmLButtonDown, kWmLButtonUp});
  EXPECT_EQ(r.events, (std::vector<std::string>{"down L", "up L"}));
  r.timers.run(499);
  EXPECT_EQ(r.events.size(), 2u);
  r.timers.run(1);
  EXPECT_EQ(r.events.back(), "click");
  r.timers.run(2000);  // one-shot
  EXPECT_EQ(std::count(r.events.begin(), r.events.end(), "click"), 1);
}

TEST(TrayIcon, ADoubleClickPerformsTheDefaultItemAndNoClick) {
  TrayRig r;
  r.send({kWmLButtonDown, kWmLButtonUp}, 100);
  r.send({kWmLButtonDblClk, kWmLButtonUp}, 100);
  r.timers.run(1000);
  EXPECT_EQ(r.events, (std::vector<std::string>{"down L", "up L", "dblclick", "up L"}));
  EXPECT_EQ(r.menu.defaultClicks, 1);
  EXPECT_TRUE(r.menu.shownAt.empty());
}

TEST(TrayIcon, WithoutADoubleClickHandlerTheClickComesAtOnce) {
  TrayRig r;
  r.icon.OnDblClick = nullptr;
  r.send({kWmLButtonDown, kWmLButtonUp});
  EXPECT_EQ(r.events, (std::vector<std::string>{"down L", "click", "up L"}));
}

TEST(TrayIcon, TheDefaultItemAndPopupNeedAnAutoPopupMenu) {
  struct Case {
    const char* name;
    bool hasMenu, autoPopup, leftPopup;
    int defaultClicks;
    std::size_t popupsOnLeft, popupsOnRight;
  } cases[] = {
      {"menu", true, true, false, 1, 0, 1},
      {"no auto-popup", true, false, false, 0, 0, 0},
      {"left popup", true, true, true, 0, 1, 1},
      {"no menu", false, true, false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    TrayRig r;
    r.menu.auto_ = c.autoPopup;
    r.icon.LeftPopup = c.leftPopup;
    if (!c.hasMenu) r.icon.PopupMenu = nullptr;
    r.send({kWmLButtonDown});
    EXPECT_EQ(r.menu.shownAt.size(), c.popupsOnLeft) << c.name;
    r.send({kWmLButtonUp, kWmLButtonDblClk, kWmLButtonUp});
    EXPECT_EQ(r.menu.defaultClicks, c.defaultClicks) << c.name;
    r.send({kWmRButtonDown});
    EXPECT_EQ(r.menu.shownAt.size(), c.popupsOnLeft + c.popupsOnRight) << c.name;
  }
}

TEST(TrayIcon, DisabledIgnoresTheMouseButKeepsBalloonsAndTip) {
  TrayRig r;
  int balloons = 0;
  r.icon.OnBalloonHintClick = [&] { ++balloons; };
  r.icon.Enabled = false;
  r.send({kWmMouseMove, kWmLButtonDown, kWmLButtonUp, kWmLButtonDblClk, kWmRButtonDown,
          kWmRButtonUp, kWmMButtonDown, kWmMButtonUp, kNinBalloonUserClick},
         10);
  r.timers.run(1000);
  EXPECT_TRUE(r.events.empty());
  EXPECT_TRUE(r.menu.shownAt.empty());
  EXPECT_EQ(r.menu.defaultClicks, 0);
  EXPECT_EQ(balloons, 1);
  EXPECT_TRUE(r.shell.log.empty());  // nothing taken from the tray: the tip stays
  r.icon.Enabled = true;
  r.send({kWmRButtonDown});
  EXPECT_EQ(r.menu.shownAt.size(), 1u);
}

TEST(TrayIcon, EnterAndExitFollowTheCursor) {
  TrayRig r;
  int enters = 0, exits = 0;
  r.icon.OnMouseEnter = [&] { ++enters; };
  r.icon.OnMouseExit = [&] { ++exits; };
  r.icon.setWantEnterExitEvents(true);
  r.send({kWmMouseMove, kWmMouseMove}, 20);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 0);
  r.d.setCursorPos({10, 10});
  r.timers.run(20);
  EXPECT_EQ(exits, 1);
  r.timers.run(100);
  EXPECT_EQ(exits, 1);
  r.send({kWmMouseMove});
  EXPECT_EQ(enters, 2);
}

}  // namespace
}  // namespace rimfold
