// The child controls of a dialog window, made from one constant table: creation in the
// dialog's font, tooltips for the hints, layout in 96-DPI units at the window's DPI, tab
// pages, toolbar buttons and the mnemonics Win32 does not handle itself (tabs, toolbar
// buttons). It owns the dialog's font and a DC to measure text in it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "ui/model/dialog_layout.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::ui {

enum class ControlKind : std::uint8_t {
  Tabs,     // the page control: hot-tracking tabs, one per Page child
  Page,     // a tab sheet, over its tab control's page area
  ToolBar,  // text buttons from `buttons`
  GroupBox,
  ListBox,
  DropDownList,  // height is the dropped-down height
  CheckBox,
  ReadOnlyEdit,
  Splitter,
  // Kinds from here on are the program's own controls, each registered by its owner.
  FirstRegistered = 100,
};

// A control class the framework does not know: its window class, the extended style its
// instances get, and how the class is registered.
struct ControlClass {
  const wchar_t* className;
  DWORD exStyle;
  bool (*registerClass)();
};

enum class ToolButtonKind : std::uint8_t { Button, Check, DropDown, Separator };

struct ToolButtonDef {
  int id;  // 0 for a separator
  const wchar_t* caption;
  ToolButtonKind kind;
  const wchar_t* hint = nullptr;
};

struct ControlDef {
  int id;
  ControlKind kind;
  int parent;  // id of the containing control, 0 for the dialog itself
  Align align;
  int x, y, width, height;  // 96-DPI units
  const wchar_t* caption = nullptr;
  const wchar_t* hint = nullptr;
  std::span<const ToolButtonDef> buttons = {};
  bool tabStop = true;
};

// A key that a tab caption or a visible toolbar button claims with "&".
struct MnemonicTarget {
  enum class Kind : std::uint8_t { None, Page, Button } kind = Kind::None;
  int id = 0;  // the page's or the button's id
};

class DialogControls {
 public:
  // Registers the window classes and common controls the tables use; once per process.
  // Makes `kind` (FirstRegistered or later) a control of the given class, before the
  // first dialog is built.
  static void registerKind(ControlKind kind, const ControlClass& cls);
  static bool registerClasses();

  // Creates the controls of table (parents before children) on the dialog window, in a
  // font of the face given at the dialog's design height. The table must outlive this.
  bool create(HWND dialog, std::span<const ControlDef> table, const wchar_t* fontFace,
              int fontHeight, BYTE charSet);
  // The controls and their tooltip destroyed, so that create can make them again (from
  // another table: the texts of another language). The dialog window stays.
  void destroy();
  HWND operator[](int id) const noexcept;
  int dpi() const noexcept { return dpi_; }

  // Places every control over the dialog's client area at the dialog's DPI.
  void layout();
  // The height of a Top-aligned control, in units; the splitter changes it.
  int height(int id) const;
  void setHeight(int id, int units);
  // The laid-out rectangle in the dialog's client coordinates.
  TRect rect(int id) const;

  int activePage(int tabsId) const;  // the page's id
  void setActivePage(int pageId);
  MnemonicTarget mnemonic(wchar_t key) const;

  void enableButton(int id, bool on);
  bool buttonChecked(int id) const;
  void checkButton(int id, bool on);
  RECT buttonScreenRect(int id) const;
  // TTN_GETDISPINFOW from a toolbar's tooltip: the button's hint. True when answered.
  bool answerToolTip(NMHDR& header) const;

  // Text width in the dialog's font, in pixels.
  int textWidth(std::wstring_view text) const;
  HFONT font() const noexcept { return static_cast<HFONT>(font_.get()); }

 private:
  std::size_t indexOf(int id) const;  // table size when unknown
  HWND windowParent(std::size_t index) const;
  const ToolButtonDef* buttonDef(int id, std::size_t* toolbar = nullptr) const;
  HWND createControl(std::size_t index);
  // The rectangles computed from the nodes and the windows moved there.
  void placeControls();
  // Row breaks for the toolbar's width in pixels; the number of rows.
  static int wrapToolBar(HWND toolbar, int width);
  void setToolBarPadding(HWND toolbar) const;
  void makeFont();

  HWND dialog_ = nullptr;
  std::span<const ControlDef> table_;
  std::vector<HWND> windows_;
  std::vector<LayoutNode> nodes_;
  std::vector<TRect> rects_;
  HWND tooltip_ = nullptr;  // owned by the dialog, destroyed with it
  int dpi_ = kDesignDpi;
  LOGFONTW logFont_{};  // at the design DPI
  win32::UniqueGdiObject font_;
  win32::UniqueMemoryDC measureDc_;
  int fontPixelHeight_ = 0;
};

}  // namespace rimfold::ui
