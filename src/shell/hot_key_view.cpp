#include "shell/hot_key_view.h"

#include <algorithm>
#include <iterator>

#include <commctrl.h>

#include "platform/win32/dialog_libraries.h"
#include "platform/win32/win32_convert.h"
#include "shell/config_form_ids.h"
#include "shell/config_form_parts.h"
#include "ui/exception_guard.h"
#include "widgets/model/shortcut_text.h"

namespace rimfold::shell {

namespace {

constexpr UINT_PTR kEditKeyStopSubclass = 1;

struct Tables {
  ui::ToolButtonDef toolBar[1];
  ui::ControlDef controls[4];
};

void fill(Tables& t, Language l) {
  using B = ui::ToolButtonKind;
  using K = ui::ControlKind;
  const auto w = [l](UiText id) { return wideText(id, l); };
  t.toolBar[0] = {TBHotKeyClose, w(UiText::Close), B::Button};
  const ui::ControlDef controls[] = {
      {TabSheetHotkey, K::Page, PageControl, Align::Overlay, 0, 0, 0, 0, w(UiText::PageHotKey)},
      {ToolBar1, K::ToolBar, TabSheetHotkey, Align::Top, 0, 0, 0, kToolBarHeight, nullptr, nullptr,
       t.toolBar, false},
      {GroupBox8,
       K::GroupBox,
       TabSheetHotkey,
       Align::None,
       3,
       25,
       240,
       50,
       w(UiText::StopResume),
       nullptr,
       {},
       false},
      {EditKeyStop,
       K::ReadOnlyEdit,
       GroupBox8,
       Align::None,
       10,
       20,
       220,
       21,
       nullptr,
       nullptr,
       {},
       false},
  };
  std::copy(std::begin(controls), std::end(controls), t.controls);
}

}  // namespace

std::span<const ui::ControlDef> HotKeyView::controlTable(Language language) {
  return tablesFor<Tables>(language, fill).controls;
}

void HotKeyView::controlsMade() {
  win32::setWindowSubclass(controls_[EditKeyStop], &HotKeyView::editKeyStopProc,
                           kEditKeyStopSubclass, reinterpret_cast<DWORD_PTR>(this));
  p_.windows.setWindowText(win32::fromHwnd(controls_[EditKeyStop]), hotKeyText_);
}

const std::u16string& HotKeyView::readText() {
  if (HWND edit = controls_[EditKeyStop]) {
    hotKeyText_ = p_.windows.getWindowText(win32::fromHwnd(edit));
  }
  return hotKeyText_;
}

bool HotKeyView::isEditMessage(const MSG& msg) const {
  return msg.hwnd != nullptr && msg.hwnd == controls_[EditKeyStop];
}

bool HotKeyView::tabOut(const MSG& msg, HWND dialog) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  HWND next = ::GetNextDlgTabItem(dialog, msg.hwnd, keyDown(VK_SHIFT) ? TRUE : FALSE);
  ::SetFocus(next != nullptr && next != msg.hwnd ? next : controls_[PageControl]);
  return true;
}

bool HotKeyView::EditKeyStopKeyDown(int key) {
  HWND edit = controls_[EditKeyStop];
  hotKeyText_ = Proc_HotKeyEditKeyDown(p_.input, key, keyDown(VK_SHIFT), keyDown(VK_CONTROL),
                                       keyDown(VK_MENU));
  p_.windows.setWindowText(win32::fromHwnd(edit), hotKeyText_);
  const auto end = static_cast<WPARAM>(hotKeyText_.size());
  ::SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  return key == 0;
}

LRESULT CALLBACK HotKeyView::editKeyStopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self) {
  auto* view = reinterpret_cast<HotKeyView*>(self);
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // A Tab hotkey would take the key from every program.
      if (wParam == VK_TAB) return 0;
      bool consumed = false;
      ui::runGuarded([&] { consumed = view->EditKeyStopKeyDown(static_cast<int>(wParam)); });
      if (consumed) return 0;
      break;
    }
    // Characters and key releases of a consumed key go nowhere: no beep, no menu mode.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_KEYUP:
    case WM_SYSKEYUP: return 0;
    case WM_NCDESTROY:
      win32::removeWindowSubclass(hwnd, &HotKeyView::editKeyStopProc, kEditKeyStopSubclass);
      break;
    default: break;
  }
  return win32::defSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace rimfold::shell
