#include "ui/dialog_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <utility>
#include <vector>

#include "platform/win32/dialog_libraries.h"
#include "ui/dpi.h"
#include "ui/page_window.h"
#include "ui/splitter_window.h"

namespace rimfold::ui {

namespace {

HINSTANCE moduleInstance() noexcept { return ::GetModuleHandleW(nullptr); }

// The key a caption marks with "&" ("&&" is a literal ampersand), or 0.
wchar_t mnemonicOf(const wchar_t* caption) {
  if (caption == nullptr) return 0;
  for (const wchar_t* c = caption; *c != 0; ++c) {
    if (*c != L'&') continue;
    if (c[1] == L'&') {
      ++c;
      continue;
    }
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c[1])));
  }
  return 0;
}

BYTE toolButtonStyle(ToolButtonKind kind) {
  switch (kind) {
    case ToolButtonKind::Check: return BTNS_CHECK | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    case ToolButtonKind::DropDown: return BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    case ToolButtonKind::Separator: return BTNS_SEP;
    case ToolButtonKind::Button: break;
  }
  return BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
}

// A group box's frame: its caption's height above, a 2-pixel border elsewhere.
TRect groupBoxInterior(const TRect& r, int captionHeight, int dpi) {
  const int border = scaleToDpi(2, dpi);
  return {r.Left + border, r.Top + captionHeight + border, r.Right - border, r.Bottom - border};
}

std::vector<std::pair<ControlKind, ControlClass>>& registeredKinds() {
  static std::vector<std::pair<ControlKind, ControlClass>> kinds;
  return kinds;
}

const ControlClass* registeredClass(ControlKind kind) {
  for (const auto& [k, cls] : registeredKinds()) {
    if (k == kind) return &cls;
  }
  return nullptr;
}

}  // namespace

void DialogControls::registerKind(ControlKind kind, const ControlClass& cls) {
  if (registeredClass(kind) == nullptr) registeredKinds().emplace_back(kind, cls);
}

bool DialogControls::registerClasses() {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  bool ok = win32::initCommonControls(icc) != FALSE;
  ok = PageWindow::registerClass() && ok;
  ok = SplitterWindow::registerClass() && ok;
  for (const auto& [kind, cls] : registeredKinds()) ok = cls.registerClass() && ok;
  return ok;
}

bool DialogControls::create(HWND dialog, std::span<const ControlDef> table, const wchar_t* fontFace,
                            int fontHeight, BYTE charSet) {
  dialog_ = dialog;
  table_ = table;
  dpi_ = windowDpi(dialog);
  logFont_ = LOGFONTW{};
  logFont_.lfHeight = -fontHeight;
  logFont_.lfWeight = FW_NORMAL;
  logFont_.lfCharSet = charSet;
  ::lstrcpynW(logFont_.lfFaceName, fontFace, LF_FACESIZE);
  measureDc_.reset(::CreateCompatibleDC(nullptr));
  makeFont();

  tooltip_ =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, moduleInstance(), nullptr);

  windows_.assign(table.size(), nullptr);
  nodes_.clear();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ControlDef& def = table[i];
    const std::size_t parent = indexOf(def.parent);
    nodes_.push_back({parent < table.size() ? static_cast<int>(parent) : -1, def.align, def.x,
                      def.y, def.width, def.height});
    windows_[i] = createControl(i);
    if (windows_[i] == nullptr) return false;
  }
  // Pages paint over the tab control's page area, so the tabs stay below them.
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind == ControlKind::Tabs) {
      ::SetWindowPos(windows_[i], HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return true;
}

void DialogControls::destroy() {
  // The dialog's own children take theirs with them.
  for (HWND w : windows_) {
    if (w != nullptr && ::IsWindow(w) && ::GetParent(w) == dialog_) ::DestroyWindow(w);
  }
  if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  windows_.clear();
  nodes_.clear();
  rects_.clear();
  table_ = {};
}

void DialogControls::makeFont() {
  LOGFONTW scaled = logFont_;
  scaled.lfHeight = -scaleToDpi(-logFont_.lfHeight, dpi_);
  font_.reset(::CreateFontIndirectW(&scaled));
  if (!font_) font_.reset(::GetStockObject(DEFAULT_GUI_FONT));
  fontPixelHeight_ = -scaled.lfHeight;
  if (measureDc_) {
    ::SelectObject(measureDc_.get(), font_.get());
    TEXTMETRICW tm{};
    if (::GetTextMetricsW(measureDc_.get(), &tm)) fontPixelHeight_ = tm.tmHeight;
  }
}

HWND DialogControls::createControl(std::size_t index) {
  const ControlDef& def = table_[index];
  HWND parent = windowParent(index);
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id));
  // No WS_CLIPSIBLINGS: a group box lies above the controls it frames, which must paint.
  DWORD style = WS_CHILD | WS_VISIBLE | (def.tabStop ? WS_TABSTOP : 0);
  DWORD exStyle = 0;
  const wchar_t* className = nullptr;
  switch (def.kind) {
    case ControlKind::Tabs:
      className = WC_TABCONTROLW;
      // Below its pages, which it must not paint over.
      style |= TCS_HOTTRACK | TCS_FOCUSONBUTTONDOWN | WS_CLIPSIBLINGS;
      break;
    case ControlKind::Page:
      className = kPageClass;
      // Without WS_CLIPCHILDREN: the page paints what its group boxes leave transparent.
      style = WS_CHILD | WS_CLIPSIBLINGS;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::ToolBar:
      className = TOOLBARCLASSNAMEW;
      style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
              CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
      break;
    case ControlKind::GroupBox:
      className = WC_BUTTONW;
      style = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
      break;
    case ControlKind::ListBox:
      className = WC_LISTBOXW;
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::DropDownList:
      className = WC_COMBOBOXW;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
    case ControlKind::CheckBox:
      className = WC_BUTTONW;
      style |= BS_AUTOCHECKBOX;
      break;
    case ControlKind::ReadOnlyEdit:
      className = WC_EDITW;
      style |= ES_READONLY | ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Splitter:
      className = kSplitterClass;
      style = WS_CHILD | WS_VISIBLE;
      break;
    default:
      if (const ControlClass* cls = registeredClass(def.kind)) {
        className = cls->className;
        exStyle = cls->exStyle;
      }
      break;
  }
  HWND hwnd = ::CreateWindowExW(exStyle, className, def.caption, style, 0, 0, 0, 0, parent, id,
                                moduleInstance(), nullptr);
  if (hwnd == nullptr) return nullptr;
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

  if (def.kind == ControlKind::Page) {
    const std::size_t tabs = indexOf(def.parent);
    if (tabs < windows_.size() && windows_[tabs] != nullptr) {
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_PARAM;
      item.pszText = const_cast<wchar_t*>(def.caption);
      item.lParam = def.id;
      const auto count = ::SendMessageW(windows_[tabs], TCM_GETITEMCOUNT, 0, 0);
      ::SendMessageW(windows_[tabs], TCM_INSERTITEMW, static_cast<WPARAM>(count),
                     reinterpret_cast<LPARAM>(&item));
      if (count == 0) ::ShowWindow(hwnd, SW_SHOWNA);
    }
  } else if (def.kind == ControlKind::ToolBar) {
    ::SendMessageW(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hwnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ::SendMessageW(hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    setToolBarPadding(hwnd);
    std::vector<TBBUTTON> buttons;
    for (const ToolButtonDef& b : def.buttons) {
      TBBUTTON tb{};
      tb.iBitmap = b.kind == ToolButtonKind::Separator ? 0 : I_IMAGENONE;
      tb.idCommand = b.id;
      tb.fsState = TBSTATE_ENABLED;
      tb.fsStyle = toolButtonStyle(b.kind);
      tb.iString = reinterpret_cast<INT_PTR>(b.caption);
      buttons.push_back(tb);
    }
    ::SendMessageW(hwnd, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  }
  if (def.hint != nullptr && tooltip_ != nullptr) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = const_cast<wchar_t*>(def.hint);
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return hwnd;
}

void DialogControls::setToolBarPadding(HWND toolbar) const {
  // Text-only buttons: room for the captions rather than for images.
  ::SendMessageW(toolbar, TB_SETPADDING, 0, MAKELPARAM(scaleToDpi(8, dpi_), scaleToDpi(6, dpi_)));
  ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

HWND DialogControls::operator[](int id) const noexcept {
  const std::size_t i = indexOf(id);
  return i < windows_.size() ? windows_[i] : nullptr;
}

std::size_t DialogControls::indexOf(int id) const {
  for (std::size_t i = 0; i < table_.size(); ++i) {
    if (table_[i].id == id) return i;
  }
  return table_.size();
}

HWND DialogControls::windowParent(std::size_t index) const {
  // Only pages are containers among the controls; group boxes just frame their contents.
  for (std::size_t p = indexOf(table_[index].parent); p < table_.size();
       p = indexOf(table_[p].parent)) {
    if (table_[p].kind == ControlKind::Page) return windows_[p];
  }
  return dialog_;
}

void DialogControls::layout() {
  if (dialog_ == nullptr) return;
  const int dpi = windowDpi(dialog_);
  if (dpi != dpi_) {
    // Moved to a monitor of another scale: the font, and what is sized by it, follow.
    dpi_ = dpi;
    makeFont();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
      ::SendMessageW(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
      if (table_[i].kind == ControlKind::ToolBar) setToolBarPadding(windows_[i]);
    }
  }
  placeControls();
  // A toolbar too narrow for its buttons wraps them onto further rows and is given their
  // height; the rest of the page moves down once.
  bool regrown = false;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (table_[i].kind != ControlKind::ToolBar || windows_[i] == nullptr) continue;
    const int width = rects_[i].Right - rects_[i].Left;
    const int height = table_[i].height * wrapToolBar(windows_[i], width);
    if (height == nodes_[i].height) continue;
    nodes_[i].height = height;
    regrown = true;
  }
  if (regrown) placeControls();
}

namespace {

void setToolState(HWND toolbar, int index, BYTE state) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_BYINDEX | TBIF_STATE;
  info.fsState = state;
  ::SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&info));
}

}  // namespace

int DialogControls::wrapToolBar(HWND toolbar, int width) {
  // The breaks are set here, exactly where the buttons stop fitting: the toolbar's own
  // wrapping (TBSTYLE_WRAPABLE) is not the same on every system.
  const auto count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  std::vector<TBBUTTON> buttons(static_cast<std::size_t>(std::max(count, 0)));
  for (int b = 0; b < count; ++b) {
    TBBUTTON& button = buttons[static_cast<std::size_t>(b)];
    ::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(b),
                   reinterpret_cast<LPARAM>(&button));
    const auto plain = static_cast<BYTE>(button.fsState & ~(TBSTATE_WRAP | TBSTATE_HIDDEN));
    if (button.fsState != plain) setToolState(toolbar, b, plain);  // measured in one row
    button.fsState = plain;
  }
  std::vector<ToolItem> items;
  for (int b = 0; b < count; ++b) {
    RECT r{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(b), reinterpret_cast<LPARAM>(&r));
    items.push_back(
        {r.right - r.left, (buttons[static_cast<std::size_t>(b)].fsStyle & BTNS_SEP) != 0});
  }
  const ToolRows rows = wrapToolItems(items, width);
  for (int b = 0; b < count; ++b) {
    const int row = rows.rowOf[static_cast<std::size_t>(b)];
    int next = b + 1;
    while (next < count && rows.rowOf[static_cast<std::size_t>(next)] < 0) ++next;
    const bool lastOfRow =
        row >= 0 && next < count && rows.rowOf[static_cast<std::size_t>(next)] > row;
    BYTE state = buttons[static_cast<std::size_t>(b)].fsState;
    if (row < 0) state = static_cast<BYTE>(state | TBSTATE_HIDDEN);
    if (lastOfRow) state = static_cast<BYTE>(state | TBSTATE_WRAP);
    if (state != buttons[static_cast<std::size_t>(b)].fsState) setToolState(toolbar, b, state);
  }
  return rows.rows;
}

void DialogControls::placeControls() {
  RECT client{};
  ::GetClientRect(dialog_, &client);
  rects_ = layoutControls(nodes_, TRect{client.left, client.top, client.right, client.bottom}, dpi_,
                          [&](std::size_t i, const TRect& r) -> TRect {
                            switch (table_[i].kind) {
                              case ControlKind::Tabs: {
                                RECT area{r.Left, r.Top, r.Right, r.Bottom};
                                ::SendMessageW(windows_[i], TCM_ADJUSTRECT, FALSE,
                                               reinterpret_cast<LPARAM>(&area));
                                return {area.left, area.top, area.right, area.bottom};
                              }
                              case ControlKind::GroupBox:
                                return groupBoxInterior(r, fontPixelHeight_, dpi_);
                              default: return r;
                            }
                          });
  HDWP batch = ::BeginDeferWindowPos(static_cast<int>(windows_.size()));
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    TRect r = rects_[i];
    const std::size_t parent = indexOf(table_[i].parent);
    for (std::size_t p = parent; p < table_.size(); p = indexOf(table_[p].parent)) {
      if (table_[p].kind == ControlKind::Page) {
        r = {r.Left - rects_[p].Left, r.Top - rects_[p].Top, r.Right - rects_[p].Left,
             r.Bottom - rects_[p].Top};
        break;
      }
    }
    const int width = std::max(0, r.Right - r.Left);
    const int height = std::max(0, r.Bottom - r.Top);
    if (batch != nullptr) {
      batch = ::DeferWindowPos(batch, windows_[i], nullptr, r.Left, r.Top, width, height,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      ::SetWindowPos(windows_[i], nullptr, r.Left, r.Top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (batch != nullptr) ::EndDeferWindowPos(batch);
}

int DialogControls::height(int id) const {
  const std::size_t i = indexOf(id);
  return i < nodes_.size() ? nodes_[i].height : 0;
}

void DialogControls::setHeight(int id, int units) {
  const std::size_t i = indexOf(id);
  if (i < nodes_.size()) nodes_[i].height = units;
}

TRect DialogControls::rect(int id) const {
  const std::size_t i = indexOf(id);
  return i < rects_.size() ? rects_[i] : TRect{};
}

int DialogControls::activePage(int tabsId) const {
  const HWND tabs = (*this)[tabsId];
  if (tabs == nullptr) return 0;
  const auto index = ::SendMessageW(tabs, TCM_GETCURSEL, 0, 0);
  TCITEMW item{};
  item.mask = TCIF_PARAM;
  if (index < 0 || !::SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&item))) {
    return 0;
  }
  return static_cast<int>(item.lParam);
}

void DialogControls::setActivePage(int pageId) {
  const std::size_t page = indexOf(pageId);
  if (page >= table_.size() || table_[page].kind != ControlKind::Page) return;
  const int tabsId = table_[page].parent;
  int tabIndex = 0;
  for (std::size_t i = 0; i < table_.size(); ++i) {
    if (table_[i].kind != ControlKind::Page || table_[i].parent != tabsId) continue;
    if (i == page) {
      ::SendMessageW((*this)[tabsId], TCM_SETCURSEL, static_cast<WPARAM>(tabIndex), 0);
    }
    ::ShowWindow(windows_[i], i == page ? SW_SHOWNA : SW_HIDE);
    ++tabIndex;
  }
}

MnemonicTarget DialogControls::mnemonic(wchar_t key) const {
  const auto upper = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(key)));
  for (std::size_t i = 0; i < table_.size(); ++i) {
    const ControlDef& def = table_[i];
    if (def.kind == ControlKind::Page && mnemonicOf(def.caption) == upper) {
      return {MnemonicTarget::Kind::Page, def.id};
    }
    if (def.kind != ControlKind::ToolBar || !::IsWindowVisible(windows_[i])) continue;
    for (const ToolButtonDef& b : def.buttons) {
      if (b.kind != ToolButtonKind::Separator && mnemonicOf(b.caption) == upper) {
        return {MnemonicTarget::Kind::Button, b.id};
      }
    }
  }
  return {};
}

const ToolButtonDef* DialogControls::buttonDef(int id, std::size_t* toolbar) const {
  for (std::size_t i = 0; i < table_.size(); ++i) {
    for (const ToolButtonDef& b : table_[i].buttons) {
      if (b.id == id && b.kind != ToolButtonKind::Separator) {
        if (toolbar != nullptr) *toolbar = i;
        return &b;
      }
    }
  }
  return nullptr;
}

void DialogControls::enableButton(int id, bool on) {
  std::size_t bar = 0;
  if (buttonDef(id, &bar) != nullptr) {
    ::SendMessageW(windows_[bar], TB_ENABLEBUTTON, static_cast<WPARAM>(id),
                   MAKELPARAM(on ? TRUE : FALSE, 0));
  }
}

bool DialogControls::buttonChecked(int id) const {
  std::size_t bar = 0;
  return buttonDef(id, &bar) != nullptr &&
         ::SendMessageW(windows_[bar], TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
}

void DialogControls::checkButton(int id, bool on) {
  std::size_t bar = 0;
  if (buttonDef(id, &bar) != nullptr) {
    ::SendMessageW(windows_[bar], TB_CHECKBUTTON, static_cast<WPARAM>(id),
                   MAKELPARAM(on ? TRUE : FALSE, 0));
  }
}

RECT DialogControls::buttonScreenRect(int id) const {
  RECT r{};
  std::size_t bar = 0;
  if (buttonDef(id, &bar) != nullptr &&
      ::SendMessageW(windows_[bar], TB_GETRECT, static_cast<WPARAM>(id),
                     reinterpret_cast<LPARAM>(&r))) {
    ::MapWindowPoints(windows_[bar], nullptr, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

bool DialogControls::answerToolTip(NMHDR& header) const {
  if (header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  const ToolButtonDef* b = buttonDef(static_cast<int>(header.idFrom));
  if (b == nullptr || b->hint == nullptr) return false;
  info.lpszText = const_cast<wchar_t*>(b->hint);
  info.hinst = nullptr;
  return true;
}

int DialogControls::textWidth(std::wstring_view text) const {
  SIZE size{};
  if (!measureDc_ || !::GetTextExtentPoint32W(measureDc_.get(), text.data(),
                                              static_cast<int>(text.size()), &size)) {
    return 0;
  }
  return size.cx;
}

}  // namespace rimfold::ui
