// What the fake desktop's message box copies from user32, pinned on the real one: the box is
// a top-level "#32770" window found by its caption while its loop runs, a rename makes it
// findable by the new caption only, a button command closes it with that button's id, and
// WM_CLOSE ends it. Also what a change of the system work area sends to a hidden top-level
// window (the configuration dialog is one).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/win32_window_manager.h"
#include "win32/test_window.h"

namespace rimfold::win32::test {
namespace {

constexpr char16_t kCaption[] = u"Rimfold test box";

// Runs a step inside the box's modal loop once the box is on the desktop.
struct InsideTheBox {
  std::function<void(Hwnd box)> step;
  int polls = 0;
  bool ran = false;
};
InsideTheBox* gInside = nullptr;

void CALLBACK pollForTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  InsideTheBox& in = *gInside;
  Win32WindowManager windows;
  const Hwnd box = windows.findWindowEx(0, 0, kDialogBoxClass, kCaption);
  // The box appears some tens of milliseconds after the call; the timer keeps polling.
  if ((box == 0 || !windows.isWindowVisible(box)) && ++in.polls < 100) return;
  ::KillTimer(nullptr, timer);
  in.ran = true;
  in.step(box);
}

int showBox(std::uint32_t style, std::function<void(Hwnd box)> step) {
  InsideTheBox in{std::move(step)};
  gInside = &in;
  ::SetTimer(nullptr, 0, 20, &pollForTheBox);
  Win32WindowManager windows;
  const int result = windows.messageBox(0, u"text", kCaption, style);
  gInside = nullptr;
  EXPECT_TRUE(in.ran);
  return result;
}

// WM_CLOSE answers differently (Wine IDCANCEL, Windows IDOK for an OK box): 0 is "any".
TEST(MessageBoxTest, TheFoundBoxIsRenamedAndClosedByItsButtonsOrWmClose) {
  struct Case {
    const char* name;
    std::uint32_t style;
    int command;  // 0: WM_CLOSE
    int result;
  };
  const Case cases[] = {
      {"OK box, OK", kMbOk | kMbIconInformation | kMbSystemModal, kIdOk, kIdOk},
      {"Yes/No box, No", kMbYesNo | kMbIconExclamation | kMbSystemModal, kIdNo, kIdNo},
      {"Yes/No box, Yes", kMbYesNo, kIdYes, kIdYes},
      {"OK box, WM_CLOSE", kMbOk, 0, 0},
      {"Yes/No box, WM_CLOSE", kMbYesNo, 0, 0},
  };
  const std::u16string renamed = u"Rimfold - (9秒)";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Hwnd found = 0, byOld = 1, byNew = 0;
    const int result = showBox(c.style, [&](Hwnd box) {
      Win32WindowManager windows;
      found = box;
      EXPECT_TRUE(windows.setWindowText(box, renamed));
      byOld = windows.findWindowEx(0, 0, kDialogBoxClass, kCaption);
      byNew = windows.findWindowEx(0, 0, kDialogBoxClass, renamed.c_str());
      if (c.command != 0) {
        windows.sendCommand(box, c.command);
      } else {
        windows.sendClose(box);
      }
    });
    EXPECT_EQ(byOld, 0u);
    EXPECT_EQ(byNew, found);
    EXPECT_FALSE(::IsWindow(toHwnd(found)));
    if (c.result != 0) {
      EXPECT_EQ(result, c.result);
    }
  }
}

// Messages a hidden top-level window receives, by kind.
struct Received {
  int minMaxInfo = 0;
  std::vector<WPARAM> settingChanges;
} gReceived;

LRESULT CALLBACK recordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) ++gReceived.minMaxInfo;
  if (msg == WM_SETTINGCHANGE) gReceived.settingChanges.push_back(wp);
  return ::DefWindowProcW(w, msg, wp, lp);
}

// Restores the system work area however the test ends: the other tests read it.
struct WorkAreaRestore {
  RECT saved{};
  WorkAreaRestore() { ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved, 0); }
  ~WorkAreaRestore() {
    ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }
};

// Wine sends no WM_GETMINMAXINFO for a work-area change, so the watch must also listen to
// WM_SETTINGCHANGE(SPI_SETWORKAREA). Wine broadcasts it only with SPIF_UPDATEINIFILE.
TEST(WorkAreaChangeTest, AHiddenWindowHearsSettingChangeButNoMinMaxInfo) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &recordingProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RimfoldTestRecording";
  ::RegisterClassW(&wc);
  UniqueWindow hidden(::CreateWindowExW(
      0, wc.lpszClassName, L"hidden", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 100,
      100, 700, 400, nullptr, nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(hidden);
  pumpMessages();
  WorkAreaRestore restore;
  gReceived = {};
  RECT smaller = restore.saved;
  smaller.bottom -= 60;
  ASSERT_TRUE(
      ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &smaller, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
  pumpMessages();
  EXPECT_EQ(gReceived.settingChanges, std::vector<WPARAM>{SPI_SETWORKAREA});
  EXPECT_EQ(gReceived.minMaxInfo, 0);
}

}  // namespace
}  // namespace rimfold::win32::test
