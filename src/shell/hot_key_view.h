// The dialog's page [ホットキー]: the stop/resume hotkey, captured from the keys pressed in
// its edit. The text is kept also while there are no controls.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "platform/platform.h"
#include "rtl/ui_text.h"
#include "ui/dialog_controls.h"

namespace rimfold::shell {

class HotKeyView {
 public:
  HotKeyView(Platform& p, ui::DialogControls& controls) : p_(p), controls_(controls) {}

  // The page's rows of the dialog's control table, in a language.
  static std::span<const ui::ControlDef> controlTable(Language language);

  // The controls exist: the edit takes the keys and shows the text.
  void controlsMade();
  // The text at the dialog's close: the edit's, when there is one.
  const std::u16string& readText();
  const std::u16string& text() const noexcept { return hotKeyText_; }
  void setText(const std::u16string& text) { hotKeyText_ = text; }

  // A message for the edit, which takes every key, Alt combinations included, as a hotkey.
  bool isEditMessage(const MSG& msg) const;
  // Tab and Shift+Tab leave the edit, as in every dialog (dialog: the frame's window).
  // True when the message was one of them and is used.
  bool tabOut(const MSG& msg, HWND dialog);

 private:
  bool EditKeyStopKeyDown(int key);
  static LRESULT CALLBACK editKeyStopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR self);

  Platform& p_;
  ui::DialogControls& controls_;
  std::u16string hotKeyText_;  // EditKeyStop's text
};

}  // namespace rimfold::shell
