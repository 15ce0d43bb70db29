// TNumEdit: a self-drawn field for one number that takes input like a pocket calculator.
// Characters are only added at the end, Backspace and Delete take off the last one, and
// the selection is the whole number or nothing. The window (caret, painting, clipboard,
// focus, beep) is behind INumEditHost so that every rule runs without Win32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rimfold {

// Virtual-key codes the key-down handler knows.
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkPrior = 0x21;
inline constexpr int kVkNext = 0x22;
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkDelete = 0x2E;

// Character codes of the typed-character handler.
inline constexpr char16_t kChCtrlA = 1;
inline constexpr char16_t kChCtrlC = 3;
inline constexpr char16_t kChBackspace = 8;
inline constexpr char16_t kChEnter = 13;
inline constexpr char16_t kChCtrlV = 22;
inline constexpr char16_t kChCtrlX = 24;

// What the control needs of its window, in the window's client pixels.
class INumEditHost {
 public:
  virtual ~INumEditHost() = default;
  // Width of text drawn in the control's font.
  virtual int textWidth(std::u16string_view text) = 0;
  virtual int clientWidth() = 0;
  virtual int clientHeight() = 0;
  virtual void setClientHeight(int height) = 0;
  virtual void invalidate() = 0;
  virtual void createCaret(int width, int height) = 0;
  virtual void destroyCaret() = 0;
  // Shows the caret at this client point (and moves the input method's window there).
  virtual void showCaretAt(int x, int y) = 0;
  virtual void beep() = 0;
  // OnChange.
  virtual void changed() = 0;
  // The clipboard's text; nothing when it holds none.
  virtual std::optional<std::u16string> clipboardText() = 0;
  virtual void setClipboardText(std::u16string_view text) = 0;
  // Moves the focus to the next (or previous) control of the parent form.
  virtual void moveFocus(bool next) = 0;
  // A left press asks for the focus; the window decides whether it may take it.
  virtual void takeFocus() = 0;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TVertAlignment { taTopJustify, taBottomJustify, taVCenter };
enum class TBorderStyle { bsNone, bsSingle };

// The system colours the painting uses, by role.
enum class NumEditColor { Window, Text, Highlight, HighlightText, Disabled };

struct NumEditRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const NumEditRect&) const = default;
};

// One paint: fill `rect` with `fill`, then draw `text` in it in `textColor`.
struct NumEditPaint {
  NumEditRect rect;
  std::u16string text;
  NumEditColor fill;
  NumEditColor textColor;
};

struct NumEditPoint {
  int x = 0, y = 0;
  bool operator==(const NumEditPoint&) const = default;
};

class TNumEdit {
 public:
  explicit TNumEdit(INumEditHost& host);
  virtual ~TNumEdit() = default;
  TNumEdit(const TNumEdit&) = delete;
  TNumEdit& operator=(const TNumEdit&) = delete;

  // ---- properties ----
  const std::u16string& Text() const { return FText; }
  void setText(std::u16string_view value);
  const std::u16string& ValText() const { return FValText; }
  int IntegerLength() const { return FIntegerLength; }
  void setIntegerLength(int value);
  int DecimalLength() const { return FDecimalLength; }
  void setDecimalLength(int value);
  bool Minus() const { return FMinus; }
  void setMinus(bool value);
  bool Comma() const { return FComma; }
  void setComma(bool value);
  bool DecimalFixed() const { return FDecimalFixed; }
  void setDecimalFixed(bool value);
  const std::u16string& LeftMark() const { return FLeftMark; }
  void setLeftMark(std::u16string_view value);
  const std::u16string& RightMark() const { return FRightMark; }
  void setRightMark(std::u16string_view value);

  TAlignment Alignment() const { return FAlignment; }
  void setAlignment(TAlignment value);
  TVertAlignment VertAlignment() const { return FVertAlignment; }
  void setVertAlignment(TVertAlignment value);
  int TopMargin() const { return FTopMargin; }
  void setTopMargin(int value);
  int LeftMargin() const { return FLeftMargin; }
  void setLeftMargin(int value);
  int BottomMargin() const { return FBottomMargin; }
  void setBottomMargin(int value);
  int RightMargin() const { return FRightMargin; }
  void setRightMargin(int value);
  bool AutoSize() const { return FAutoSize; }
  void setAutoSize(bool value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void setBorderStyle(TBorderStyle value);
  bool Ctl3D() const { return FCtl3D; }
  void setCtl3D(bool value);

  // Switches read where they act.
  bool ErrorBeep = true;
  bool ReadOnly = false;
  bool AutoSelect = true;
  bool HideSelection = true;
  bool ImageCopy = false;
  bool EnterFocusMove = false;
  bool ArrowFocusMove = false;

  int SelStart() const { return FSelStart; }
  int SelLength() const { return FSelLength; }
  bool Modified() const { return FModified; }
  bool CanUndo() const { return FCanUndo; }
  int FontHeight() const { return FFontHeight; }
  int CaretWidth() const { return FCaretWidth; }
  const NumEditRect& DrawRect() const { return FDrawRect; }
  bool DblClickFlag() const { return FDblClickFlag; }
  bool Focused() const { return focused_; }

  // ---- methods ----
  void Clear();
  void SelectAll();
  void ClearSelect();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void ClearUndo();

  // ---- window events ----
  // True while the window is being created: font and border changes resize nothing.
  bool NowInit = true;
  void FontChanged(int fontHeight, bool bold);
  // A character message.
  void KeyPress(char16_t ch);
  // A key-down message; true when the key was consumed.
  bool KeyDown(int key, bool shift, bool ctrl);
  void DoEnter();
  void DoExit();
  void MouseDown(bool doubleClick, int x, int y);
  void MouseMove(bool leftDown, int x, int y);
  // What to paint now, given the window's enabled state; remembers it as DrawRect.
  NumEditPaint Paint(bool enabled);
  // Where the caret stands: the end of the typed text.
  NumEditPoint CaretPos();

  // ---- rules, open to a descendant ----
  virtual void MakeCaret();
  virtual void PlaceCaret();
  virtual void KillCaret();
  virtual void AdjustHeight();
  virtual std::u16string MakeValText(std::u16string_view text) const;
  virtual std::u16string CleanText(std::u16string_view text) const;

  static std::u16string TrimLeadingZeros(std::u16string_view text);
  bool FitsWidth(std::u16string_view candidate);

  // Left edge and top of text this wide, for the current alignments.
  int TextLeft(int textWidth);
  int TextTop();

 private:
  bool selected() const { return FSelLength != 0; }
  void Refuse();
  void DigitInput(char16_t digit);
  void PointInput();
  void MinusInput();
  void DeleteLast();
  // Stores an edit the user made, then OnChange. `before` is the number before the
  // keystroke, also when the key first cleared a selection: Undo goes back to it.
  void Commit(std::u16string text, std::u16string before);
  void SetLength(int& field, int value);
  void Reclean();
  // FValText from FText; a selection keeps covering the whole display.
  void Rebuild();
  // Repaint and re-place the caret.
  void Refresh();
  void Redisplay();  // Rebuild and Refresh
  void SetMargin(int& field, int value, bool vertical);

  INumEditHost& host_;
  std::u16string FText = u"0";
  std::u16string FValText;
  int FIntegerLength = 9;
  int FDecimalLength = 3;
  bool FMinus = true;
  bool FComma = true;
  bool FDecimalFixed = false;
  std::u16string FLeftMark, FRightMark;
  int FSelStart = 0;
  int FSelLength = 0;
  bool FModified = false;
  bool FCanUndo = false;
  std::u16string UndoBuffer;
  TAlignment FAlignment = TAlignment::taRightJustify;
  TVertAlignment FVertAlignment = TVertAlignment::taVCenter;
  int FTopMargin = 2, FLeftMargin = 2, FBottomMargin = 2, FRightMargin = 2;
  bool FAutoSize = true;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  bool FCtl3D = true;
  int FFontHeight = 0;
  int FCaretWidth = 1;
  NumEditRect FDrawRect;
  bool FDblClickFlag = false;
  bool focused_ = false;
};

}  // namespace rimfold
