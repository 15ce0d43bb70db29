// The "TNumEdit" control class: a window whose object is made with it and deleted with it,
// painting, caret, clipboard and focus for the numeric field (widgets/model/num_edit.h),
// which keeps every rule. Any code creates one with
//   CreateWindowExW(WS_EX_CLIENTEDGE, L"TNumEdit", L"0", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
//                   x, y, w, h, parent, (HMENU)id, hinst, nullptr)
// once registerClass() has run; the parent hears of each edit as EN_CHANGE.
#pragma once

#include <windows.h>

#include "ui/dialog_controls.h"
#include "ui/window_base.h"
#include "widgets/model/num_edit.h"

namespace rimfold::widgets {

class NumEditWindow final : public ui::WindowBase, public INumEditHost {
 public:
  static constexpr wchar_t kClassName[] = L"TNumEdit";

  // Registers the class once per process; true when it is registered.
  static bool registerClass();
  // Its kind in dialog tables; registered with the framework by registerKind().
  static constexpr ui::ControlKind kKind = ui::ControlKind::FirstRegistered;
  static void registerKind();
  // The control of a window of this class, else null.
  static NumEditWindow* fromHandle(HWND hwnd) noexcept;

  NumEditWindow() = default;
  ~NumEditWindow() override = default;

  // The field's properties (IntegerLength, Comma, ErrorBeep, ReadOnly, ...). Set AutoSize
  // before sending WM_SETFONT when the height given at creation must stay.
  TNumEdit& model() noexcept { return edit_; }

  // INumEditHost
  int textWidth(std::u16string_view text) override;
  int clientWidth() override;
  int clientHeight() override;
  void setClientHeight(int height) override;
  void invalidate() override;
  void createCaret(int width, int height) override;
  void destroyCaret() override;
  void showCaretAt(int x, int y) override;
  void beep() override;
  void changed() override;
  std::optional<std::u16string> clipboardText() override;
  void setClipboardText(std::u16string_view text) override;
  void moveFocus(bool next) override;
  void takeFocus() override;

 private:
  bool onMessage(ui::Message& m) override;
  void onCreate(ui::Message& m);
  void onPaint(ui::Message& m);
  void onEraseBackground(ui::Message& m);
  void onGetDlgCode(ui::Message& m);
  void onChar(ui::Message& m);
  void onKeyDown(ui::Message& m);
  void onMouse(ui::Message& m);
  void onSetFont(ui::Message& m);
  void onGetFont(ui::Message& m);
  void onRepaint(ui::Message& m);
  void onSetText(ui::Message& m);
  void onGetText(ui::Message& m);
  void onGetTextLength(ui::Message& m);
  void onStyleChanged(ui::Message& m);
  void onSetCursor(ui::Message& m);
  void onSetFocus(ui::Message& m);
  void onKillFocus(ui::Message& m);

  HFONT font() const noexcept;
  void readFontMetrics();
  void readBorder();

  TNumEdit edit_{*this};
  HFONT font_ = nullptr;  // not ours: the sender of WM_SETFONT keeps it
  bool caretHidden_ = false;
};

}  // namespace rimfold::widgets
