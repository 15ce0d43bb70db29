// The configuration dialog's Win32 side: the controls the table makes, where the layout puts
// them, the list boxes following the lists, the hotkey capture, and the stored size.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/dpi.h"
#include "ui/model/dialog_layout.h"
#include "shell/config_form.h"
#include "platform/win32/win32_convert.h"
#include "platform/win32/win32_platform.h"
#include "system/data_dir.h"
#include "win32/temp_folder.h"

namespace rimfold::shell {
namespace {

using win32::test::readBytes;
using win32::test::TempFolder;

// The dialog alone: what it raises for the watch is the host's business.
struct IgnoredEvents final : IConfigFormEvents {
  void sizeLimitsAsked() override {}
  void settingChanged(std::uintptr_t) override {}
};

class ConfigFormTest : public testing::Test {
 protected:
  void SetUp() override {
    p_.data.dir = win32::fromWide(folder_.path() + L"\\");
    form_.create(u"Ctrl+Alt+S");
    ASSERT_NE(form_.handle(), nullptr);
    form_.createControls();
  }

  HWND control(int id, TConfigForm* form = nullptr) {
    return (form ? *form : form_).controls()[id];
  }
  // A control's rectangle relative to another one's top-left corner.
  RECT offset(int id, int from) {
    RECT r{}, base{};
    ::GetWindowRect(control(id), &r);
    ::GetWindowRect(control(from), &base);
    return {r.left - base.left, r.top - base.top, r.right - base.left, r.bottom - base.top};
  }
  std::vector<std::wstring> items(int id, TConfigForm* form = nullptr) {
    std::vector<std::wstring> out;
    const auto n = ::SendMessageW(control(id, form), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      wchar_t line[256]{};
      ::SendMessageW(control(id, form), LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(line));
      out.emplace_back(line);
    }
    return out;
  }

  win32::Win32Platform system_;
  Platform p_ = system_.platform();
  MonitorList monitors_{p_.windows};
  TempFolder folder_;
  ProgramState state_;
  IgnoredEvents events_;
  TConfigForm form_{p_, state_, monitors_, events_};

 private:
};

TEST_F(ConfigFormTest, TheWorkAreaCrossStandsWhereTheTableSaysAtTheWindowsDpi) {
  form_.selectPage(TabSheetWorkArea);
  const int dpi = ui::windowDpi(form_.handle());
  const auto at = [dpi](int x, int y, int w, int h) {
    return RECT{scaleToDpi(x, dpi), scaleToDpi(y, dpi), scaleToDpi(x, dpi) + scaleToDpi(w, dpi),
                scaleToDpi(y, dpi) + scaleToDpi(h, dpi)};
  };
  struct Case {
    int id, from;
    RECT expected;
  };
  const Case cases[] = {
      {GroupBoxTop, GroupBox3, at(150, 50, 120, 50)},
      {GroupBoxLeft, GroupBox3, at(10, 100, 120, 50)},
      {GroupBoxRight, GroupBox3, at(285, 100, 120, 50)},
      {GroupBoxBottom, GroupBox3, at(150, 155, 120, 50)},
      {CHKMessage, GroupBox3, at(145, 120, 130, 17)},
      {EditTop, GroupBoxTop, at(10, 20, 100, 21)},
      {EditRight, GroupBoxRight, at(10, 20, 100, 21)},
  };
  for (const Case& c : cases) {
    const RECT r = offset(c.id, c.from);
    EXPECT_TRUE(::EqualRect(&r, &c.expected))
        << c.id << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  // Only the selected page is shown (the dialog itself is hidden here).
  const auto shown = [this](int id) {
    return (::GetWindowLongW(control(id), GWL_STYLE) & WS_VISIBLE) != 0;
  };
  EXPECT_TRUE(shown(TabSheetWorkArea));
  EXPECT_FALSE(shown(TabSheetExe));
  EXPECT_FALSE(shown(TabSheetHotkey));
}

// The dialog shows the program's icon in its caption and on its taskbar button, not the
// system's default.
TEST_F(ConfigFormTest, TheDialogHasTheProgramsIcons) {
  for (const WPARAM which : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL}}) {
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(form_.handle(), WM_GETICON, which, 0));
    ASSERT_NE(icon, nullptr) << which;
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info)) << which;
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(which == ICON_BIG ? SM_CXICON : SM_CXSMICON))
        << which;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
}

TEST_F(ConfigFormTest, ListBoxesFollowTheListsAndTheWidestEntry) {
  ProgramState& c = state_;
  c.lists.ListBoxE.insertUnique(u"A.EXE,");
  c.lists.ListBoxE.insertUnique(u"A.EXE,Wide class name,");
  form_.processedListChanged();
  EXPECT_EQ(items(ListBoxE), (std::vector<std::wstring>{L"A.EXE,Wide class name,", L"A.EXE,"}));
  const int widest = form_.controls().textWidth(L"A.EXE,Wide class name,");
  EXPECT_EQ(::SendMessageW(control(ListBoxE), LB_GETHORIZONTALEXTENT, 0, 0), 2 * widest);

  // The engine's insertion into the exclusions shows at once, the extent stays.
  c.lists.ListBoxD.insertUnique(u"B.EXE,Cls,");
  form_.exclusionListChanged();
  EXPECT_EQ(items(ListBoxD), std::vector<std::wstring>{L"B.EXE,Cls,"});
  EXPECT_EQ(::SendMessageW(control(ListBoxD), LB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST_F(ConfigFormTest, TheHotkeyEditTakesEveryKeyAsTheHotkey) {
  HWND edit = control(EditKeyStop);
  struct Case {
    BYTE key;
    bool ctrl, alt;
    const wchar_t* text;
  };
  const Case cases[] = {
      {'S', true, true, L"Ctrl+Alt+S"},
      {'S', false, false, L""},        // no modifier
      {VK_CONTROL, true, false, L""},  // a modifier alone
      {VK_F5, false, true, L"Alt+F5"},
      {VK_ESCAPE, true, false, L""},  // Esc empties it, whatever else is held
  };
  for (const Case& c : cases) {
    BYTE keys[256]{};
    keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
    keys[VK_MENU] = c.alt ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::SendMessageW(edit, c.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, c.key, 0);
    wchar_t text[64]{};
    ::GetWindowTextW(edit, text, 64);
    EXPECT_STREQ(text, c.text) << c.key;
  }
  BYTE none[256]{};
  ::SetKeyboardState(none);
  EXPECT_EQ(::SendMessageW(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
  EXPECT_EQ(form_.close(), u"");
}

TEST_F(ConfigFormTest, TheCloseStoresTheSizeInDesignUnitsAndTheNextStartRestoresIt) {
  const int dpi = ui::windowDpi(form_.handle());
  ::SetWindowPos(form_.handle(), nullptr, 0, 0, scaleToDpi(500, dpi), scaleToDpi(400, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  form_.controls().setHeight(GroupBoxE, 150);
  form_.close();
  const std::string saved = readBytes(folder_.file(L"WorkArea.dat"));
  EXPECT_NE(saved.find("[Window]\r\nHeight=400\r\nWidth=500\r\nGroupBoxE=150\r\n"),
            std::string::npos)
      << saved;

  const auto outerSize = [](const TConfigForm& f) {
    RECT r{};
    ::GetWindowRect(f.handle(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  TConfigForm next(p_, state_, monitors_, events_);
  next.create(u"");
  next.createControls();
  EXPECT_EQ(outerSize(next).cx, scaleToDpi(500, dpi));
  EXPECT_EQ(outerSize(next).cy, scaleToDpi(400, dpi));
  EXPECT_EQ(next.controls().height(GroupBoxE), 150);

  // A damaged size never makes the dialog smaller than its minimum.
  ASSERT_TRUE(win32::test::writeBytes(folder_.file(L"WorkArea.dat"),
                                      "[Window]\r\nHeight=-5\r\nWidth=10\r\n"));
  TConfigForm damaged(p_, state_, monitors_, events_);
  damaged.create(u"");
  EXPECT_EQ(outerSize(damaged).cx, scaleToDpi(435, dpi));
  EXPECT_EQ(outerSize(damaged).cy, scaleToDpi(320, dpi));
}

TEST_F(ConfigFormTest, ControlsMadeAtTheFirstShowShowWhatChangedBeforeIt) {
  state_.geometry.groupBoxEHeight = 140;
  TConfigForm later(p_, state_, monitors_, events_);
  later.create(u"Ctrl+Alt+L");
  EXPECT_EQ(::GetWindow(later.handle(), GW_CHILD), nullptr);
  state_.lists.ListBoxE.insertUnique(u"A.EXE,Wide class name,");
  later.processedListChanged();
  state_.lists.ListBoxD.insertUnique(u"B.EXE,Cls,");
  later.exclusionListChanged();
  state_.watch.CHKMessage = true;
  state_.switches.TBMAXDisable = true;
  // A close before any show keeps the splitter's height as it was read.
  later.close();
  EXPECT_NE(readBytes(folder_.file(L"WorkArea.dat")).find("GroupBoxE=140\r\n"), std::string::npos);

  later.createControls();
  EXPECT_EQ(items(ListBoxE, &later), std::vector<std::wstring>{L"A.EXE,Wide class name,"});
  EXPECT_EQ(::SendMessageW(control(ListBoxE, &later), LB_GETHORIZONTALEXTENT, 0, 0),
            2 * later.controls().textWidth(L"A.EXE,Wide class name,"));
  EXPECT_EQ(items(ListBoxD, &later), std::vector<std::wstring>{L"B.EXE,Cls,"});
  EXPECT_EQ(::SendMessageW(control(CHKMessage, &later), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(later.controls().buttonChecked(TBMAXDisable));
  EXPECT_EQ(::SendMessageW(control(CBMonitor, &later), CB_GETCOUNT, 0, 0),
            static_cast<LRESULT>(::GetSystemMetrics(SM_CMONITORS)));
  EXPECT_EQ(later.controls().height(GroupBoxE), 140);
  wchar_t hotkey[32]{};
  ::GetWindowTextW(control(EditKeyStop, &later), hotkey, 32);
  EXPECT_STREQ(hotkey, L"Ctrl+Alt+L");
}

}  // namespace
}  // namespace rimfold::shell
