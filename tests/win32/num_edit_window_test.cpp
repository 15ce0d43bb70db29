// The numeric field as a real control: made by CreateWindowEx with its class name, driven
// by messages, telling its parent of edits, and gone with its window.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "widgets/num_edit_window.h"
#include "win32/test_window.h"

// Live operator-new blocks of this program, to see that the control's object is freed.
namespace {
std::atomic<long> liveBlocks{0};
}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++liveBlocks;
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --liveBlocks;
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace rimfold::widgets {
namespace {

constexpr int kFieldId = 1001;

// A top-level window that records the notifications its children send.
struct Parent {
  static inline std::vector<std::pair<WPARAM, LPARAM>> commands;

  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) commands.emplace_back(wParam, lParam);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  Parent() {
    static const ATOM kClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &Parent::proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"RimfoldNumEditTestParent";
      return ::RegisterClassW(&wc);
    }();
    (void)kClass;
    commands.clear();
    window.reset(::CreateWindowExW(0, L"RimfoldNumEditTestParent", L"NumEdit test",
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr));
  }

  HWND createField(const wchar_t* text = L"0") const {
    return ::CreateWindowExW(WS_EX_CLIENTEDGE, NumEditWindow::kClassName, text,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 21, window.get(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldId)),
                             ::GetModuleHandleW(nullptr), nullptr);
  }

  win32::UniqueWindow window;
};

std::wstring windowText(HWND hwnd) {
  wchar_t buffer[64] = {};
  ::GetWindowTextW(hwnd, buffer, 64);
  return buffer;
}

class NumEditWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(widgets::NumEditWindow::registerClass());
    ASSERT_NE(parent.window.get(), nullptr);
    field = parent.createField();
    ASSERT_NE(field, nullptr);
    ASSERT_NE(NumEditWindow::fromHandle(field), nullptr);
  }
  Parent parent;
  HWND field = nullptr;
};

TEST_F(NumEditWindowTest, TypedDigitsAndBackspaceReachTheTextAndTheParent) {
  TNumEdit& edit = NumEditWindow::fromHandle(field)->model();
  edit.setIntegerLength(4);
  edit.setComma(false);
  edit.ErrorBeep = false;
  for (wchar_t c : std::wstring(L"19205")) ::SendMessageW(field, WM_CHAR, c, 0);
  ::SendMessageW(field, WM_KEYDOWN, VK_BACK, 0);
  EXPECT_EQ(windowText(field), L"192");
  EXPECT_EQ(::GetWindowTextLengthW(field), 3);
  ASSERT_EQ(Parent::commands.size(), 5u);  // four digits and the Backspace
  for (const auto& [wParam, lParam] : Parent::commands) {
    EXPECT_EQ(LOWORD(wParam), kFieldId);
    EXPECT_EQ(HIWORD(wParam), EN_CHANGE);
    EXPECT_EQ(reinterpret_cast<HWND>(lParam), field);
  }

  // Setting the text cleans it and tells nobody; a short buffer gets what fits.
  EXPECT_TRUE(::SetWindowTextW(field, L"-0034x"));
  EXPECT_EQ(Parent::commands.size(), 5u);
  wchar_t small[3] = {L'?', L'?', L'?'};
  EXPECT_EQ(::SendMessageW(field, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(small)), 2);
  EXPECT_EQ(std::wstring(small), L"-3");
}

TEST_F(NumEditWindowTest, AsksTheDialogForArrowsAndCharactersAndEnterOnlyWhenItMovesOn) {
  const LRESULT base = DLGC_WANTARROWS | DLGC_WANTCHARS;
  MSG enter{field, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  MSG tab{field, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  const auto code = [&](MSG* msg) {
    return ::SendMessageW(field, WM_GETDLGCODE, msg != nullptr ? msg->wParam : 0,
                          reinterpret_cast<LPARAM>(msg));
  };
  EXPECT_EQ(code(nullptr), base);
  EXPECT_EQ(code(&enter), base);
  NumEditWindow::fromHandle(field)->model().EnterFocusMove = true;
  EXPECT_EQ(code(&enter), base | DLGC_WANTALLKEYS);
  EXPECT_EQ(code(&tab), base);
}

TEST_F(NumEditWindowTest, FocusSelectsAllShowsTheCaretAtTheEndAndTypingReplaces) {
  ::SetWindowTextW(field, L"1920");
  ::SetFocus(field);
  ASSERT_EQ(::GetFocus(), field);
  EXPECT_EQ(NumEditWindow::fromHandle(field)->model().SelLength(), 5);  // "1,920"
  RECT client{};
  ::GetClientRect(field, &client);
  POINT caret{};
  ASSERT_TRUE(::GetCaretPos(&caret));
  EXPECT_EQ(caret.x, client.right - 2 - 1);  // right-aligned, right margin 2
  ::SendMessageW(field, WM_CHAR, L'7', 0);
  EXPECT_EQ(windowText(field), L"7");
  ::SetFocus(parent.window.get());
  EXPECT_EQ(NumEditWindow::fromHandle(field)->model().SelLength(), 0);
}

TEST_F(NumEditWindowTest, CtrlCAndCtrlVGoThroughTheClipboard) {
  ::SetWindowTextW(field, L"1234.5");
  BYTE keys[256] = {};
  ASSERT_TRUE(::GetKeyboardState(keys));
  BYTE withCtrl[256];
  std::copy(std::begin(keys), std::end(keys), withCtrl);
  withCtrl[VK_CONTROL] = 0x80;
  ASSERT_TRUE(::SetKeyboardState(withCtrl));
  ::SendMessageW(field, WM_KEYDOWN, 'A', 0);
  ::SendMessageW(field, WM_KEYDOWN, 'C', 0);
  ::SetWindowTextW(field, L"99");
  ::SendMessageW(field, WM_KEYDOWN, VK_RIGHT, 0);  // ends the selection
  ::SendMessageW(field, WM_KEYDOWN, 'V', 0);       // so the paste is appended
  ::SetKeyboardState(keys);
  EXPECT_EQ(windowText(field), L"991234.5");
  ::SendMessageW(field, WM_KEYDOWN, 'A', 0);  // no Ctrl now: not ours
  EXPECT_EQ(NumEditWindow::fromHandle(field)->model().SelLength(), 0);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(::GlobalLock(data))), L"1234.5");
  ::GlobalUnlock(data);
  ::CloseClipboard();
}

TEST_F(NumEditWindowTest, PaintsTheSelectionInTheHighlightColourAndDisabledWithoutIt) {
  NumEditWindow::fromHandle(field)->model().HideSelection = false;
  ::SetFocus(field);  // selects all
  ::UpdateWindow(field);
  const NumEditRect r = NumEditWindow::fromHandle(field)->model().DrawRect();
  ASSERT_LT(r.left, r.right);
  win32::WindowDc dc(field);
  EXPECT_EQ(::GetPixel(dc.get(), r.left, r.top), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(::GetPixel(dc.get(), r.left - 2, r.top), ::GetSysColor(COLOR_WINDOW));
  ::EnableWindow(field, FALSE);  // the selection stays: disabled wins over it
  ::UpdateWindow(field);
  ASSERT_GT(NumEditWindow::fromHandle(field)->model().SelLength(), 0);
  EXPECT_EQ(::GetPixel(dc.get(), r.left, r.top), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(NumEditWindowTest, TheObjectDiesWithItsWindow) {
  ::DestroyWindow(field);
  EXPECT_EQ(NumEditWindow::fromHandle(field), nullptr);
  Parent::commands.reserve(100);  // the notifications below allocate nothing
  const long before = liveBlocks.load();
  for (int i = 0; i < 50; ++i) {
    HWND h = parent.createField(L"12345");
    ASSERT_NE(h, nullptr);
    ::SendMessageW(h, WM_CHAR, L'6', 0);
    ::DestroyWindow(h);
  }
  EXPECT_EQ(liveBlocks.load(), before);
  // A field left standing goes with its parent.
  field = parent.createField();
  parent.window.reset();
  EXPECT_FALSE(::IsWindow(field));
  EXPECT_EQ(liveBlocks.load(), before);
}

}  // namespace
}  // namespace rimfold::widgets
