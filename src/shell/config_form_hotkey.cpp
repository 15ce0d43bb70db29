// The configuration dialog: the hotkey page, whose edit takes the keys pressed in it.
#include "shell/config_form.h"

#include <commctrl.h>

#include "platform/win32/dialog_libraries.h"
#include "ui/exception_guard.h"
#include "widgets/model/shortcut_text.h"

#include "shell/config_form_parts.h"

namespace rimfold::app {

bool TConfigForm::EditKeyStopKeyDown(int key) {
  HWND edit = controls_[EditKeyStop];
  hotKeyText_ = Proc_HotKeyEditKeyDown(p_.input, key, keyDown(VK_SHIFT), keyDown(VK_CONTROL),
                                       keyDown(VK_MENU));
  setText(edit, hotKeyText_);
  const auto end = static_cast<WPARAM>(hotKeyText_.size());
  ::SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
  return key == 0;
}

LRESULT CALLBACK TConfigForm::editKeyStopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR self) {
  auto* form = reinterpret_cast<TConfigForm*>(self);
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // A Tab hotkey would take the key from every program.
      if (wParam == VK_TAB) return 0;
      bool consumed = false;
      runGuarded([&] { consumed = form->EditKeyStopKeyDown(static_cast<int>(wParam)); });
      if (consumed) return 0;
      break;
    }
    // Characters and key releases of a consumed key go nowhere: no beep, no menu mode.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return 0;
    case WM_NCDESTROY:
      win32::removeWindowSubclass(hwnd, &TConfigForm::editKeyStopProc, kEditKeyStopSubclass);
      break;
    default:
      break;
  }
  return win32::defSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace rimfold::app
