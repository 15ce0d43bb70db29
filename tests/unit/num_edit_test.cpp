#include "widgets/model/num_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace rimfold {
namespace {

// A window whose font is 7 pixels a character; the client area is the dialog field's
// (100 x 21 with a sunken edge).
struct FakeHost : INumEditHost {
  int width = 96, height = 17;
  int beeps = 0, changes = 0, focusMoves = 0;
  bool lastMoveNext = false;
  int setHeight = -1;
  std::optional<std::u16string> clipboard;
  bool caretExists = false;
  NumEditPoint caret{-1, -1};
  TNumEdit* edit = nullptr;

  int textWidth(std::u16string_view text) override { return 7 * static_cast<int>(text.size()); }
  int clientWidth() override { return width; }
  int clientHeight() override { return height; }
  void setClientHeight(int h) override { setHeight = height = h; }
  void invalidate() override {}
  void createCaret(int, int) override { caretExists = true; }
  void destroyCaret() override { caretExists = false; }
  void showCaretAt(int x, int y) override { caret = {x, y}; }
  void beep() override { ++beeps; }
  void changed() override { ++changes; }
  std::optional<std::u16string> clipboardText() override { return clipboard; }
  void setClipboardText(std::u16string_view text) override { clipboard = std::u16string(text); }
  void moveFocus(bool next) override {
    ++focusMoves;
    lastMoveNext = next;
  }
  void takeFocus() override {
    if (!edit->Focused()) edit->DoEnter();
  }
};

struct Rig {
  FakeHost host;
  TNumEdit edit{host};
  Rig() {
    host.edit = &edit;
    edit.FontChanged(13, false);
    edit.NowInit = false;
  }
  // The configuration dialog's settings.
  void dialog() {
    edit.setIntegerLength(4);
    edit.setComma(false);
    edit.ErrorBeep = false;
  }
  void type(std::u16string_view keys) {
    for (char16_t c : keys) edit.KeyPress(c);
  }
};

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

TEST(NumEdit, TextIsCleanedAndTrimmed) {
  struct Case {
    const char16_t* value;
    int integerLength, decimalLength;
    bool minus;
    const char16_t* text;
  } cases[] = {
      {u"0012", 9, 3, true, u"12"},
      {u"12abc3", 9, 3, true, u"12"},
      {u"-12345", 4, 3, true, u"-1234"},
      {u"12345.5", 4, 3, true, u""},  // too many integer digits with a point
      {u"1234.5", 4, 3, true, u"1234.5"},
      {u"1,234", 9, 3, true, u"1234"},
      {u"1.23456", 9, 3, true, u"1.234"},
      {u"1.2.3", 9, 3, true, u"1.2"},
      {u"1.5", 9, 0, true, u"1"},  // no decimals: the point ends the number
      {u"-5", 9, 3, false, u""},
      {u"--5", 9, 3, true, u"-0"},
      {u"00.5", 9, 3, true, u"0.5"},
      {u".", 9, 3, true, u"0."},
      {u"-0", 9, 3, true, u"-0"},
  };
  for (const auto& c : cases) {
    Rig r;
    r.edit.setIntegerLength(c.integerLength);
    r.edit.setDecimalLength(c.decimalLength);
    r.edit.setMinus(c.minus);
    r.edit.setText(c.value);
    EXPECT_EQ(r.edit.Text(), c.text) << narrow(c.value);
    EXPECT_EQ(r.host.changes, 0) << narrow(c.value);
  }
}

TEST(NumEdit, DisplayFormat) {
  struct Case {
    const char16_t* text;
    bool comma, fixed;
    int decimalLength;
    const char16_t* left;
    const char16_t* right;
    const char16_t* shown;
  } cases[] = {
      {u"1234567", true, false, 3, u"", u"", u"1,234,567"},
      {u"-1234.5", true, false, 3, u"", u"", u"-1,234.5"},
      {u"123", true, false, 3, u"", u"", u"123"},
      {u"5", false, true, 2, u"", u"", u"5.00"},
      {u"", false, true, 2, u"", u"", u"0.00"},
      {u"1.5", false, true, 2, u"", u"", u"1.50"},
      {u"5", false, true, 0, u"", u"", u"5"},  // no lone point
      {u"5", false, false, 3, u"$", u" yen", u"$5 yen"},
      {u"", false, false, 3, u"$", u" yen", u""},
  };
  for (const auto& c : cases) {
    Rig r;
    r.edit.setComma(c.comma);
    r.edit.setDecimalFixed(c.fixed);
    r.edit.setDecimalLength(c.decimalLength);
    r.edit.setLeftMark(c.left);
    r.edit.setRightMark(c.right);
    r.edit.setText(c.text);
    EXPECT_EQ(r.edit.ValText(), c.shown) << narrow(c.text);
    EXPECT_EQ(r.edit.Text(), c.text) << narrow(c.text);
  }
}

TEST(NumEdit, TypingIntoASelectedField) {
  struct Case {
    const char* name;
    const char16_t* start;
    const char16_t* keys;
    const char16_t* text;
    int beeps;  // with ErrorBeep on
    int integerLength = 4, decimalLength = 3, width = 96;
    bool minus = true;
  } cases[] = {
      {"fifth digit refused", u"0", u"19200", u"1920", 1},
      {"minus on 0, twice", u"0", u"--", u"1", 0},
      {"minus on 0", u"0", u"-", u"-1", 0},
      {"sign stays in front", u"0", u"12-", u"-12", 0},
      {"decimals up to their length", u"0", u"1.2345", u"1.234", 1},
      {"second point", u"0", u"1..5", u"1.5", 1},
      {"point first", u"7", u".5", u"0.5", 0},
      {"no decimals", u"0", u"1.", u"1", 1, 4, 0},
      {"no minus", u"0", u"-5", u"5", 1, 4, 3, 96, false},
      {"one integer digit", u"0", u"78", u"7", 1, 1},
      {"wider than the field", u"0", u"12345678", u"1234567", 1, 9, 3, 63},
      {"other characters", u"0", u"1x\r\t2", u"12", 3},
      {"control codes swallowed", u"0", u"\x01\x03\x08\x16\x18", u"0", 0},
      {"full-width digits", u"0", u"\uFF11\uFF12\uFF0E\uFF15\uFF0D", u"-12.5", 0},
  };
  for (const auto& c : cases) {
    for (bool errorBeep : {false, true}) {
      Rig r;
      r.dialog();
      r.edit.ErrorBeep = errorBeep;
      r.edit.setIntegerLength(c.integerLength);
      r.edit.setDecimalLength(c.decimalLength);
      r.edit.setMinus(c.minus);
      r.host.width = c.width;
      r.edit.setText(c.start);
      r.edit.DoEnter();  // selects all
      r.type(c.keys);
      EXPECT_EQ(r.edit.Text(), c.text) << c.name;
      EXPECT_EQ(r.host.beeps, errorBeep ? c.beeps : 0) << c.name;
      EXPECT_EQ(r.edit.Modified(), std::u16string_view(c.text) != u"0") << c.name;
    }
  }
}

TEST(NumEdit, ReadOnlySwallowsEverythingSilently) {
  Rig r;
  r.edit.setText(u"12");
  r.edit.ReadOnly = true;
  r.host.clipboard = u"3";
  r.type(u"5-.x");
  r.edit.SelectAll();
  const struct {
    int key;
    bool ctrl;
  } keys[] = {{kVkBack, false}, {kVkDelete, false}, {'V', true}, {'X', true}};
  for (const auto& k : keys) EXPECT_TRUE(r.edit.KeyDown(k.key, false, k.ctrl)) << k.key;
  EXPECT_EQ(r.edit.Text(), u"12");
  EXPECT_EQ(r.host.beeps, 0);
  EXPECT_EQ(r.host.changes, 0);
}

TEST(NumEdit, BackspaceAndDelete) {
  struct Case {
    const char16_t* start;
    bool selected;
    const char16_t* text;
    int changes;
  } cases[] = {
      {u"-5", false, u"0", 1},   {u"0", false, u"0", 1}, {u"1.5", false, u"1", 1},
      {u"123", false, u"12", 1}, {u"", false, u"0", 0},  {u"1920", true, u"0", 1},
      {u"-0.", false, u"-0", 1},
  };
  for (int key : {kVkBack, kVkDelete}) {
    for (const auto& c : cases) {
      Rig r;
      r.edit.setText(c.start);
      if (c.selected) r.edit.SelectAll();
      EXPECT_TRUE(r.edit.KeyDown(key, false, false));
      EXPECT_EQ(r.edit.Text(), c.text) << narrow(c.start);
      EXPECT_EQ(r.edit.ValText(), c.text) << narrow(c.start);
      EXPECT_EQ(r.host.changes, c.changes) << narrow(c.start);
    }
  }
  Rig r;
  EXPECT_FALSE(r.edit.KeyDown(kVkBack, true, false));  // with a modifier it is not ours
}

TEST(NumEdit, UndoRestoresTheTextBeforeTheKeystrokeAndRedoes) {
  Rig r;
  r.edit.setText(u"1920");
  r.edit.DoEnter();
  r.type(u"5");
  EXPECT_EQ(r.edit.Text(), u"5");
  r.edit.ClearSelect();
  r.edit.Undo();
  EXPECT_EQ(r.edit.Text(), u"1920");
  EXPECT_EQ(r.edit.SelLength(), 5);  // "1,920", selected whole
  r.edit.Undo();
  EXPECT_EQ(r.edit.Text(), u"5");
  EXPECT_EQ(r.host.changes, 3);
  r.edit.ClearUndo();
  r.edit.Undo();
  EXPECT_EQ(r.edit.Text(), u"5");
  EXPECT_FALSE(r.edit.CanUndo());
}

TEST(NumEdit, Paste) {
  struct Case {
    const char* name;
    const char16_t* start;
    bool selected;
    std::optional<std::u16string> clipboard;
    const char16_t* text;
    int changes;
  } cases[] = {
      {"replaces the selection", u"99", true, u"1,234abc", u"1234", 1},
      {"appends without one", u"12", false, u"34", u"1234", 1},
      {"cleaned to nothing", u"12", true, u"abc", u"", 1},
      {"no text on the clipboard", u"12", true, std::nullopt, u"12", 0},
  };
  for (const auto& c : cases) {
    Rig r;
    r.edit.setText(c.start);
    if (c.selected) r.edit.SelectAll();
    r.host.clipboard = c.clipboard;
    EXPECT_TRUE(r.edit.KeyDown('V', false, true));
    EXPECT_EQ(r.edit.Text(), c.text) << c.name;
    if (c.clipboard) {
      EXPECT_EQ(r.edit.SelLength(), 0) << c.name;
    }
    EXPECT_EQ(r.host.changes, c.changes) << c.name;
    EXPECT_FALSE(r.edit.Modified()) << c.name;
    r.edit.Undo();
    EXPECT_EQ(r.edit.Text(), c.start) << c.name;
  }
}

TEST(NumEdit, CopyAndCutNeedASelection) {
  struct Case {
    const char* name;
    bool imageCopy, selected, cut;
    std::optional<std::u16string> clipboard;
    const char16_t* text;
  } cases[] = {
      {"copy the number", false, true, false, u"-1234.5", u"-1234.5"},
      {"copy the image", true, true, false, u"-1,234.5", u"-1234.5"},
      {"nothing selected", false, false, false, std::nullopt, u"-1234.5"},
      {"cut", false, true, true, u"-1234.5", u"0"},
      {"cut without selection", false, false, true, std::nullopt, u"-1234.5"},
  };
  for (const auto& c : cases) {
    Rig r;
    r.edit.setText(u"-1234.5");
    r.edit.ImageCopy = c.imageCopy;
    if (c.selected) r.edit.SelectAll();
    EXPECT_TRUE(r.edit.KeyDown(c.cut ? 'X' : 'C', false, true));
    EXPECT_EQ(r.host.clipboard, c.clipboard) << c.name;
    EXPECT_EQ(r.edit.Text(), c.text) << c.name;
    EXPECT_EQ(r.host.changes, c.cut && c.selected ? 1 : 0) << c.name;
  }
}

TEST(NumEdit, KeyDownCommands) {
  struct Case {
    int key;
    bool shift, ctrl, arrowFocusMove;
    bool consumed;
    int selLength;   // from a selected "1,234"
    int focusMoves;  // with lastMoveNext true for Down
  } cases[] = {
      {kVkLeft, true, false, false, true, 5, 0},  {kVkRight, false, false, false, true, 0, 0},
      {kVkHome, true, false, false, true, 0, 0},  {kVkNext, false, false, false, true, 0, 0},
      {'A', false, true, false, true, 5, 0},      {'A', false, false, false, false, 5, 0},
      {kVkUp, false, false, true, true, 0, 1},    {kVkDown, false, false, true, true, 0, 1},
      {kVkDown, false, false, false, true, 0, 0}, {0x70 /* F1 */, false, false, false, false, 5, 0},
  };
  for (const auto& c : cases) {
    Rig r;
    r.edit.setText(u"1234");
    r.edit.ArrowFocusMove = c.arrowFocusMove;
    r.edit.SelectAll();
    if (c.key == kVkLeft) r.edit.ClearSelect();  // Shift+Left selects from nothing
    EXPECT_EQ(r.edit.KeyDown(c.key, c.shift, c.ctrl), c.consumed) << c.key;
    EXPECT_EQ(r.edit.SelLength(), c.selLength) << c.key;
    EXPECT_EQ(r.host.focusMoves, c.focusMoves) << c.key;
    if (c.focusMoves != 0) {
      EXPECT_EQ(r.host.lastMoveNext, c.key == kVkDown) << c.key;
    }
  }
}

TEST(NumEdit, EnterMovesTheFocusOnlyWhenAsked) {
  Rig r;
  r.edit.KeyPress(kChEnter);
  EXPECT_EQ(r.host.focusMoves, 0);
  EXPECT_EQ(r.host.beeps, 1);
  r.edit.EnterFocusMove = true;
  r.edit.KeyPress(kChEnter);
  EXPECT_EQ(r.host.focusMoves, 1);
  EXPECT_TRUE(r.host.lastMoveNext);
}

TEST(NumEdit, FocusExitTurnsALoneMinusIntoZero) {
  for (bool hideSelection : {true, false}) {
    Rig r;
    r.edit.setText(u"-5");
    r.edit.setIntegerLength(0);  // cuts to the sign alone
    ASSERT_EQ(r.edit.Text(), u"-");
    r.edit.HideSelection = hideSelection;
    r.edit.DoEnter();
    EXPECT_TRUE(r.host.caretExists);
    EXPECT_EQ(r.edit.SelLength(), 1);
    r.edit.DoExit();
    EXPECT_EQ(r.edit.Text(), u"0");
    EXPECT_EQ(r.edit.SelLength(), hideSelection ? 0 : 1) << hideSelection;
    EXPECT_FALSE(r.host.caretExists);
  }
}

TEST(NumEdit, Mouse) {
  Rig r;
  r.edit.setText(u"12");
  r.edit.MouseDown(false, 5, 8);  // takes the focus (which selects all), then clears
  EXPECT_TRUE(r.edit.Focused());
  EXPECT_EQ(r.edit.SelLength(), 0);
  ASSERT_EQ(r.edit.Paint(true).rect, (NumEditRect{79, 2, 93, 15}));
  struct Move {
    bool leftDown;
    int x, y;
    int selLength;
  } moves[] = {{true, 78, 8, 0}, {true, 80, 15, 0}, {false, 80, 8, 0}, {true, 92, 14, 2}};
  for (const auto& m : moves) {
    r.edit.MouseMove(m.leftDown, m.x, m.y);
    EXPECT_EQ(r.edit.SelLength(), m.selLength) << m.x << "," << m.y;
  }
  r.edit.ClearSelect();
  r.edit.MouseDown(true, 5, 8);
  EXPECT_EQ(r.edit.SelLength(), 2);
  EXPECT_TRUE(r.edit.DblClickFlag());
}

TEST(NumEdit, LengthSettersRecleanAndTheSelectionStaysWhole) {
  Rig r;
  r.edit.setText(u"-1234.56");
  r.edit.SelectAll();
  r.edit.setDecimalLength(1);
  EXPECT_EQ(r.edit.Text(), u"-1234.5");
  r.edit.setDecimalLength(-1);  // ignored
  r.edit.setComma(false);
  EXPECT_EQ(r.edit.SelLength(), 7);
  r.edit.setDecimalLength(0);
  EXPECT_EQ(r.edit.Text(), u"-1234");
  r.edit.setIntegerLength(2);
  EXPECT_EQ(r.edit.Text(), u"-12");
  EXPECT_EQ(r.edit.SelLength(), 3);
  r.edit.setMinus(false);
  EXPECT_EQ(r.edit.Text(), u"");
  EXPECT_EQ(r.edit.SelLength(), 0);
  EXPECT_EQ(r.host.changes, 0);
}

TEST(NumEdit, FitsWidthLeavesRoomForTheBorder) {
  struct Case {
    TBorderStyle border;
    bool ctl3d;
    int width;
    bool fits;  // "12345678": 56 pixels
  } cases[] = {
      {TBorderStyle::bsSingle, true, 64, true},  {TBorderStyle::bsSingle, true, 63, false},
      {TBorderStyle::bsSingle, false, 62, true}, {TBorderStyle::bsSingle, false, 61, false},
      {TBorderStyle::bsNone, true, 62, true},    {TBorderStyle::bsNone, true, 61, false},
  };
  for (const auto& c : cases) {
    Rig r;
    r.edit.setComma(false);
    r.edit.setBorderStyle(c.border);
    r.edit.setCtl3D(c.ctl3d);
    r.host.width = c.width;
    EXPECT_EQ(r.edit.FitsWidth(u"12345678"), c.fits) << c.width;
  }
}

TEST(NumEdit, TextAndCaretGeometry) {
  // Client 96 x 30, font 13 high, margins 2.
  struct Case {
    TAlignment align;
    TVertAlignment vert;
    const char16_t* text;
    bool fixed;
    const char16_t* rightMark;
    int left, top, caretX;
  } cases[] = {
      {TAlignment::taLeftJustify, TVertAlignment::taTopJustify, u"1920", false, u"", 2, 2, 30},
      {TAlignment::taRightJustify, TVertAlignment::taBottomJustify, u"1920", false, u"", 65, 15,
       93},
      {TAlignment::taCenter, TVertAlignment::taVCenter, u"1920", false, u"", 33, 8, 61},
      {TAlignment::taCenter, TVertAlignment::taVCenter, u"192", false, u"", 37, 8, 58},
      {TAlignment::taRightJustify, TVertAlignment::taVCenter, u"1920", false, u"%", 58, 8, 86},
      {TAlignment::taRightJustify, TVertAlignment::taVCenter, u"5", true, u"", 65, 8, 72},
      {TAlignment::taRightJustify, TVertAlignment::taVCenter, u"5.1", true, u"", 65, 8, 86},
      {TAlignment::taRightJustify, TVertAlignment::taVCenter, u"", true, u"%", 58, 8, 65},
      {TAlignment::taRightJustify, TVertAlignment::taVCenter, u"", false, u"%", 93, 8, 93},
  };
  for (const auto& c : cases) {
    Rig r;
    r.host.height = 30;
    r.edit.setComma(false);
    r.edit.setDecimalLength(2);
    r.edit.setAlignment(c.align);
    r.edit.setVertAlignment(c.vert);
    r.edit.setDecimalFixed(c.fixed);
    r.edit.setRightMark(c.rightMark);
    r.edit.setText(c.text);
    r.edit.DoEnter();
    const NumEditPaint p = r.edit.Paint(true);
    EXPECT_EQ(p.rect.left, c.left) << narrow(c.text);
    EXPECT_EQ(p.rect.top, c.top) << narrow(c.text);
    EXPECT_EQ(p.rect.bottom - p.rect.top, 13) << narrow(c.text);
    EXPECT_EQ(r.host.caret, (NumEditPoint{c.caretX, c.top})) << narrow(c.text);
  }
}

TEST(NumEdit, AutoSizeFitsTheClientHeightToFontAndMargins) {
  Rig r;
  r.edit.FontChanged(15, true);
  EXPECT_EQ(r.host.setHeight, 19);
  EXPECT_EQ(r.edit.CaretWidth(), 2);
  r.edit.setTopMargin(-1);  // ignored
  r.edit.setBottomMargin(5);
  EXPECT_EQ(r.host.setHeight, 22);
  r.edit.setAutoSize(false);
  r.edit.setTopMargin(0);
  EXPECT_EQ(r.host.setHeight, 22);

  Rig init;  // while the window is created, a font sizes nothing
  init.host.setHeight = -1;
  init.edit.NowInit = true;
  init.edit.FontChanged(20, false);
  EXPECT_EQ(init.host.setHeight, -1);
}

}  // namespace
}  // namespace rimfold
