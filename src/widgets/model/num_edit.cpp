#include "widgets/model/num_edit.h"

#include <algorithm>

namespace rimfold {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool hasMinus(std::u16string_view text) { return !text.empty() && text.front() == u'-'; }

// Digits before the point (or in all of text when it has none), the sign not counted.
int integerDigits(std::u16string_view text) {
  const std::size_t point = text.find(u'.');
  const std::size_t end = point == std::u16string_view::npos ? text.size() : point;
  return static_cast<int>(end) - (hasMinus(text) ? 1 : 0);
}

// An input method in full-width mode sends these for the number keys; they mean the same.
char16_t narrowed(char16_t c) {
  if (c >= u'\uFF10' && c <= u'\uFF19') return static_cast<char16_t>(u'0' + (c - u'\uFF10'));
  if (c == u'\uFF0D') return u'-';
  if (c == u'\uFF0E') return u'.';
  return c;
}

}  // namespace

// A descendant is not built yet: its own display rule applies from its first change on.
TNumEdit::TNumEdit(INumEditHost& host) : host_(host) { FValText = TNumEdit::MakeValText(FText); }

// ---- properties ----

void TNumEdit::setText(std::u16string_view value) {
  if (value == FText) return;
  FText = TrimLeadingZeros(CleanText(value));
  Redisplay();
}

void TNumEdit::SetLength(int& field, int value) {
  if (value < 0 || value == field) return;
  field = value;
  Reclean();
}

void TNumEdit::setIntegerLength(int value) { SetLength(FIntegerLength, value); }
void TNumEdit::setDecimalLength(int value) { SetLength(FDecimalLength, value); }

void TNumEdit::setMinus(bool value) {
  if (value == FMinus) return;
  FMinus = value;
  Reclean();
}

// The number is held to the new limits as they are; zeros are not trimmed.
void TNumEdit::Reclean() {
  FText = CleanText(FText);
  Redisplay();
}

void TNumEdit::setComma(bool value) {
  FComma = value;
  Redisplay();
}

void TNumEdit::setDecimalFixed(bool value) {
  FDecimalFixed = value;
  Redisplay();
}

void TNumEdit::setLeftMark(std::u16string_view value) {
  FLeftMark = value;
  Redisplay();
}

void TNumEdit::setRightMark(std::u16string_view value) {
  FRightMark = value;
  Redisplay();
}

void TNumEdit::setAlignment(TAlignment value) {
  FAlignment = value;
  Refresh();
}

void TNumEdit::setVertAlignment(TVertAlignment value) {
  FVertAlignment = value;
  Refresh();
}

void TNumEdit::SetMargin(int& field, int value, bool vertical) {
  if (value < 0) return;
  field = value;
  if (vertical) AdjustHeight();
  Refresh();
}

void TNumEdit::setTopMargin(int value) { SetMargin(FTopMargin, value, true); }
void TNumEdit::setLeftMargin(int value) { SetMargin(FLeftMargin, value, false); }
void TNumEdit::setBottomMargin(int value) { SetMargin(FBottomMargin, value, true); }
void TNumEdit::setRightMargin(int value) { SetMargin(FRightMargin, value, false); }

void TNumEdit::setAutoSize(bool value) {
  FAutoSize = value;
  AdjustHeight();
}

void TNumEdit::setBorderStyle(TBorderStyle value) {
  FBorderStyle = value;
  if (!NowInit) AdjustHeight();
}

void TNumEdit::setCtl3D(bool value) {
  FCtl3D = value;
  if (!NowInit) AdjustHeight();
}

// ---- methods ----

void TNumEdit::Clear() {
  UndoBuffer = FText;
  FCanUndo = true;
  FText.assign(1, u'0');  // not = u"0": MinGW's GCC 12 warns falsely (-Wrestrict) there
  FSelStart = 0;
  FSelLength = 0;
  Redisplay();
  FModified = false;
}

void TNumEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(FValText.size());
  host_.invalidate();
}

void TNumEdit::ClearSelect() {
  FSelStart = 0;
  FSelLength = 0;
  host_.invalidate();
}

void TNumEdit::ClearSelection() {
  if (selected()) Clear();
}

void TNumEdit::CopyToClipboard() {
  if (selected()) host_.setClipboardText(ImageCopy ? FValText : FText);
}

void TNumEdit::CutToClipboard() {
  // Without a selection there is nothing to cut; the number stays.
  if (!selected()) return;
  CopyToClipboard();
  Clear();
  host_.changed();
}

void TNumEdit::PasteFromClipboard() {
  const std::optional<std::u16string> pasted = host_.clipboardText();
  if (!pasted) return;
  UndoBuffer = FText;
  FCanUndo = true;
  FText = TrimLeadingZeros(CleanText(selected() ? *pasted : FText + *pasted));
  FSelLength = 0;
  Redisplay();
  host_.changed();
}

void TNumEdit::Undo() {
  if (!FCanUndo) return;
  std::swap(FText, UndoBuffer);
  Rebuild();
  FSelStart = 0;
  FSelLength = static_cast<int>(FValText.size());
  Refresh();
  host_.changed();
}

void TNumEdit::ClearUndo() {
  UndoBuffer.clear();
  FCanUndo = false;
}

// ---- window events ----

void TNumEdit::FontChanged(int fontHeight, bool bold) {
  FFontHeight = fontHeight;
  FCaretWidth = bold ? 2 : 1;
  if (!NowInit) AdjustHeight();
  if (focused_) MakeCaret();  // the caret takes the new height
  Refresh();
}

void TNumEdit::KeyPress(char16_t ch) {
  if (ReadOnly) return;
  ch = narrowed(ch);
  if (isDigit(ch)) {
    DigitInput(ch);
  } else if (ch == u'.') {
    PointInput();
  } else if (ch == u'-') {
    MinusInput();
  } else if (ch == kChEnter) {
    if (EnterFocusMove) {
      host_.moveFocus(true);
    } else {
      Refuse();
    }
  } else if (ch == kChCtrlA || ch == kChCtrlC || ch == kChBackspace || ch == kChCtrlV ||
             ch == kChCtrlX) {
    // The key-down handler has done the work.
  } else {
    Refuse();
  }
}

bool TNumEdit::KeyDown(int key, bool shift, bool ctrl) {
  switch (key) {
    case kVkBack:
    case kVkDelete:
      if (shift || ctrl) return false;
      DeleteLast();
      return true;
    case kVkLeft:
    case kVkRight:
      if (shift) {
        SelectAll();
      } else {
        ClearSelect();
      }
      return true;
    case kVkPrior:
    case kVkNext:
    case kVkEnd:
    case kVkHome: ClearSelect(); return true;
    case kVkUp:
    case kVkDown:
      ClearSelect();
      if (ArrowFocusMove) host_.moveFocus(key == kVkDown);
      return true;
    default: break;
  }
  if (!ctrl) return false;
  switch (key) {
    case 'A': SelectAll(); return true;
    case 'C': CopyToClipboard(); return true;
    case 'V':
      if (!ReadOnly) PasteFromClipboard();
      return true;
    case 'X':
      if (!ReadOnly) CutToClipboard();
      return true;
    default: return false;
  }
}

void TNumEdit::DoEnter() {
  focused_ = true;
  MakeCaret();
  if (AutoSelect) SelectAll();
  PlaceCaret();
}

void TNumEdit::DoExit() {
  if (FText == u"-") {
    FText = u"0";
    Rebuild();
    host_.invalidate();
  }
  if (HideSelection) ClearSelect();
  KillCaret();
  focused_ = false;
}

void TNumEdit::MouseDown(bool doubleClick, int x, int y) {
  FDblClickFlag = doubleClick;
  if (doubleClick) {
    SelectAll();
    return;
  }
  host_.takeFocus();
  ClearSelect();
}

void TNumEdit::MouseMove(bool leftDown, int x, int y) {
  if (leftDown && !selected() && FDrawRect.contains(x, y)) SelectAll();
}

NumEditPaint TNumEdit::Paint(bool enabled) {
  const int width = host_.textWidth(FValText);
  const int left = TextLeft(width);
  const int top = TextTop();
  FDrawRect = {left, top, left + width, top + FFontHeight};
  NumEditPaint p{FDrawRect, FValText, NumEditColor::Window, NumEditColor::Text};
  if (!enabled) {
    p.textColor = NumEditColor::Disabled;
  } else if (selected()) {
    p.fill = NumEditColor::Highlight;
    p.textColor = NumEditColor::HighlightText;
  }
  return p;
}

NumEditPoint TNumEdit::CaretPos() {
  // The end of what was typed: before the right mark, and before the zeros and the point
  // that fixed decimals add.
  std::u16string typed = MakeValText(FText);
  if (!typed.empty() && typed.size() >= FRightMark.size() &&
      std::u16string_view(typed).substr(typed.size() - FRightMark.size()) == FRightMark) {
    typed.erase(typed.size() - FRightMark.size());
  }
  if (FDecimalFixed && !typed.empty()) {
    const std::size_t point = FText.find(u'.');
    const int typedDecimals =
        point == std::u16string::npos ? 0 : static_cast<int>(FText.size() - point - 1);
    std::size_t added = static_cast<std::size_t>(std::max(0, FDecimalLength - typedDecimals));
    if (point == std::u16string::npos && FDecimalLength > 0) ++added;
    typed.erase(typed.size() - std::min(added, typed.size()));
  }
  return {TextLeft(host_.textWidth(FValText)) + host_.textWidth(typed), TextTop()};
}

// ---- rules ----

void TNumEdit::MakeCaret() { host_.createCaret(FCaretWidth, FFontHeight); }

void TNumEdit::PlaceCaret() {
  if (!focused_) return;
  const NumEditPoint p = CaretPos();
  host_.showCaretAt(p.x, p.y);
}

void TNumEdit::KillCaret() { host_.destroyCaret(); }

void TNumEdit::AdjustHeight() {
  if (FAutoSize) host_.setClientHeight(FFontHeight + FTopMargin + FBottomMargin);
}

std::u16string TNumEdit::MakeValText(std::u16string_view text) const {
  std::u16string body(text);
  const std::size_t minus = body.find(u'-');
  const bool negative = minus != std::u16string::npos;
  if (negative) body.erase(minus, 1);

  const std::size_t point = body.find(u'.');
  const bool hasPoint = point != std::u16string::npos;
  std::u16string integer = body.substr(0, point);
  std::u16string decimals = hasPoint ? body.substr(point + 1) : std::u16string();

  if (FComma) {
    std::u16string grouped;
    for (std::size_t i = 0; i < integer.size(); ++i) {
      if (i > 0 && (integer.size() - i) % 3 == 0) grouped += u',';
      grouped += integer[i];
    }
    integer = std::move(grouped);
  }
  if (FDecimalFixed) {
    decimals.resize(static_cast<std::size_t>(FDecimalLength), u'0');
    if (integer.empty()) integer = u"0";
  }
  // No lone point when fixed decimals number zero.
  if (hasPoint || (FDecimalFixed && FDecimalLength > 0)) decimals.insert(0, 1, u'.');

  std::u16string result = (negative ? u"-" : u"") + integer + decimals;
  if (result.empty()) return result;
  return FLeftMark + result + FRightMark;
}

std::u16string TNumEdit::CleanText(std::u16string_view text) const {
  std::u16string out;
  bool point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u',') continue;
    if (c == u'.') {
      if (FDecimalLength == 0 || point) break;
      point = true;
    } else if (c == u'-') {
      if (!FMinus || i != 0) break;
    } else if (!isDigit(c)) {
      break;
    }
    out += c;
  }

  const std::size_t sign = hasMinus(out) ? 1 : 0;
  const std::size_t dot = out.find(u'.');
  if (dot == std::u16string::npos) {
    if (integerDigits(out) > FIntegerLength)
      out.resize(sign + static_cast<std::size_t>(FIntegerLength));
    return out;
  }
  if (out.size() - dot - 1 > static_cast<std::size_t>(FDecimalLength)) {
    out.resize(dot + 1 + static_cast<std::size_t>(FDecimalLength));
  }
  if (integerDigits(out) > FIntegerLength) out.clear();
  return out;
}

std::u16string TNumEdit::TrimLeadingZeros(std::u16string_view text) {
  if (text.empty()) return {};
  const bool negative = hasMinus(text);
  std::u16string_view body = text.substr(negative ? 1 : 0);
  body.remove_prefix(std::min(body.find_first_not_of(u'0'), body.size()));
  std::u16string result = negative ? u"-" : u"";
  if (body.empty() || body.front() == u'.') result += u'0';
  result += body;
  return result;
}

bool TNumEdit::FitsWidth(std::u16string_view candidate) {
  const int border = FBorderStyle == TBorderStyle::bsSingle && FCtl3D ? 2 : 1;
  const int available = host_.clientWidth() - FLeftMargin - FRightMargin - 2 * border;
  return host_.textWidth(MakeValText(candidate)) <= available;
}

int TNumEdit::TextLeft(int textWidth) {
  const int width = host_.clientWidth();
  switch (FAlignment) {
    case TAlignment::taLeftJustify: return FLeftMargin;
    case TAlignment::taRightJustify: return width - FRightMargin - textWidth - 1;
    case TAlignment::taCenter: break;
  }
  return (width - FLeftMargin - FRightMargin) / 2 + FLeftMargin - textWidth / 2 - 1;
}

int TNumEdit::TextTop() {
  const int height = host_.clientHeight();
  switch (FVertAlignment) {
    case TVertAlignment::taTopJustify: return FTopMargin;
    case TVertAlignment::taBottomJustify: return height - FFontHeight - FBottomMargin;
    case TVertAlignment::taVCenter: break;
  }
  return (height - FFontHeight - FTopMargin - FBottomMargin) / 2 + FTopMargin;
}

// ---- input ----

void TNumEdit::Refuse() {
  if (ErrorBeep) host_.beep();
}

void TNumEdit::DigitInput(char16_t digit) {
  const std::u16string before = FText;
  if (selected()) Clear();
  const std::size_t point = FText.find(u'.');
  if (point != std::u16string::npos &&
      static_cast<int>(FText.size() - point - 1) >= FDecimalLength) {
    return Refuse();
  }
  std::u16string candidate = TrimLeadingZeros(FText + digit);
  // The length is judged on the number the digit makes, so that a field showing 0
  // takes a digit even when only one is allowed.
  if (point == std::u16string::npos && integerDigits(candidate) > FIntegerLength) {
    return Refuse();
  }
  if (!FitsWidth(candidate)) return Refuse();
  Commit(std::move(candidate), before);
}

void TNumEdit::PointInput() {
  if (FDecimalLength == 0) return Refuse();
  const std::u16string before = FText;
  if (selected()) Clear();
  if (FText.find(u'.') != std::u16string::npos) return Refuse();
  std::u16string candidate = TrimLeadingZeros(FText + u'.');
  if (!FitsWidth(candidate)) return Refuse();
  Commit(std::move(candidate), before);
}

void TNumEdit::MinusInput() {
  if (!FMinus) return Refuse();
  const std::u16string before = FText;
  if (selected()) Clear();
  std::u16string candidate;
  if (hasMinus(FText)) {
    candidate = FText.substr(1);  // the sign toggles off; that is never wider
  } else {
    candidate = u"-" + FText;
    if (!FDecimalFixed && candidate == u"-0") candidate = u"-1";
    if (!FitsWidth(candidate)) return Refuse();
  }
  Commit(std::move(candidate), before);
}

void TNumEdit::DeleteLast() {
  if (ReadOnly) return;
  if (FText.empty()) {
    FText = u"0";
    Redisplay();
    return;
  }
  if (selected()) {
    // Deleting the whole number is an edit like any other: the parent hears of it.
    Clear();
    FModified = true;
    host_.changed();
    return;
  }
  std::u16string shorter = FText;
  shorter.pop_back();
  if (!shorter.empty() && shorter.back() == u'.') shorter.pop_back();
  if (shorter.empty() || shorter == u"-") shorter = u"0";
  Commit(std::move(shorter), FText);
}

void TNumEdit::Commit(std::u16string text, std::u16string before) {
  UndoBuffer = std::move(before);
  FCanUndo = true;
  FText = std::move(text);
  Redisplay();
  FModified = true;
  host_.changed();
}

void TNumEdit::Rebuild() {
  FValText = MakeValText(FText);
  if (selected()) FSelLength = static_cast<int>(FValText.size());
}

void TNumEdit::Redisplay() {
  Rebuild();
  Refresh();
}

void TNumEdit::Refresh() {
  host_.invalidate();
  PlaceCaret();
}

}  // namespace rimfold
