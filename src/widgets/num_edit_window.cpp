#include "widgets/num_edit_window.h"

#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"

namespace rimfold::widgets {

namespace {

int systemColorIndex(NumEditColor color) {
  switch (color) {
    case NumEditColor::Window: return COLOR_WINDOW;
    case NumEditColor::Text: return COLOR_WINDOWTEXT;
    case NumEditColor::Highlight: return COLOR_HIGHLIGHT;
    case NumEditColor::HighlightText: return COLOR_HIGHLIGHTTEXT;
    case NumEditColor::Disabled: break;
  }
  return COLOR_GRAYTEXT;
}

// OpenClipboard and its CloseClipboard.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const noexcept { return open_; }

 private:
  bool open_;
};

// GlobalLock and its GlobalUnlock.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory) noexcept : memory_(memory), data_(::GlobalLock(memory)) {}
  ~LockedGlobal() {
    if (data_ != nullptr) ::GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  [[nodiscard]] wchar_t* text() const noexcept { return static_cast<wchar_t*>(data_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

void NumEditWindow::registerKind() {
  ui::DialogControls::registerKind(kKind,
                                   {kClassName, WS_EX_CLIENTEDGE, &NumEditWindow::registerClass});
}

bool NumEditWindow::registerClass() {
  return registerControlClass<NumEditWindow>(kClassName, CS_DBLCLKS);
}

NumEditWindow* NumEditWindow::fromHandle(HWND hwnd) noexcept {
  return dynamic_cast<NumEditWindow*>(ui::WindowBase::fromHandle(hwnd));
}

bool NumEditWindow::onMessage(ui::Message& m) {
  static constexpr ui::MessageEntry<NumEditWindow> kMessages[] = {
      {WM_CREATE, &NumEditWindow::onCreate},
      {WM_PAINT, &NumEditWindow::onPaint},
      {WM_ERASEBKGND, &NumEditWindow::onEraseBackground},
      {WM_GETDLGCODE, &NumEditWindow::onGetDlgCode},
      {WM_CHAR, &NumEditWindow::onChar},
      {WM_KEYDOWN, &NumEditWindow::onKeyDown},
      {WM_LBUTTONDOWN, &NumEditWindow::onMouse},
      {WM_LBUTTONDBLCLK, &NumEditWindow::onMouse},
      {WM_MOUSEMOVE, &NumEditWindow::onMouse},
      {WM_SETFONT, &NumEditWindow::onSetFont},
      {WM_GETFONT, &NumEditWindow::onGetFont},
      {WM_ENABLE, &NumEditWindow::onRepaint},
      {WM_SIZE, &NumEditWindow::onRepaint},
      {WM_SETTEXT, &NumEditWindow::onSetText},
      {WM_GETTEXT, &NumEditWindow::onGetText},
      {WM_GETTEXTLENGTH, &NumEditWindow::onGetTextLength},
      {WM_STYLECHANGED, &NumEditWindow::onStyleChanged},
      {WM_SETCURSOR, &NumEditWindow::onSetCursor},
      {WM_SETFOCUS, &NumEditWindow::onSetFocus},
      {WM_KILLFOCUS, &NumEditWindow::onKillFocus},
  };
  return ui::dispatchMessage(*this, kMessages, m);
}

// ---- messages ----

void NumEditWindow::onCreate(ui::Message& m) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(m.lParam);
  // A dialog lends its font to its controls, as a form does.
  if (create->hwndParent != nullptr) {
    font_ = reinterpret_cast<HFONT>(::SendMessageW(create->hwndParent, WM_GETFONT, 0, 0));
  }
  readFontMetrics();
  readBorder();
  if (create->lpszName != nullptr) {
    edit_.setText(win32::fromWide(std::wstring_view(create->lpszName)));
  }
  // The size given at creation stands until the font or the layout changes.
  edit_.NowInit = false;
  m.result = 0;
}

void NumEditWindow::onPaint(ui::Message& m) {
  win32::PaintDc dc(handle());
  win32::SelectedObject selectedFont(dc.get(), font());
  const NumEditPaint p = edit_.Paint(::IsWindowEnabled(handle()) != FALSE);
  const RECT rect{p.rect.left, p.rect.top, p.rect.right, p.rect.bottom};
  ::FillRect(dc.get(), &rect, ::GetSysColorBrush(systemColorIndex(p.fill)));
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextColor(dc.get(), ::GetSysColor(systemColorIndex(p.textColor)));
  const std::wstring text = win32::toWide(p.text);
  ::TextOutW(dc.get(), rect.left, rect.top, text.c_str(), static_cast<int>(text.size()));
  m.result = 0;
}

void NumEditWindow::onEraseBackground(ui::Message& m) {
  RECT client{};
  ::GetClientRect(handle(), &client);
  ::FillRect(reinterpret_cast<HDC>(m.wParam), &client, ::GetSysColorBrush(COLOR_WINDOW));
  m.result = 1;
}

void NumEditWindow::onGetDlgCode(ui::Message& m) {
  m.result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  // Enter only: asking for every key would take Tab and Esc from the dialog as well.
  const auto* msg = reinterpret_cast<const MSG*>(m.lParam);
  if (edit_.EnterFocusMove && msg != nullptr &&
      (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN) {
    m.result |= DLGC_WANTALLKEYS;
  }
}

void NumEditWindow::onChar(ui::Message& m) {
  edit_.KeyPress(static_cast<char16_t>(m.wParam));
  m.result = 0;
}

void NumEditWindow::onKeyDown(ui::Message& m) {
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  if (edit_.KeyDown(static_cast<int>(m.wParam), shift, ctrl)) {
    m.result = 0;
  } else {
    m.result = defaultProc(m);
  }
}

void NumEditWindow::onMouse(ui::Message& m) {
  const int x = GET_X_LPARAM(m.lParam);
  const int y = GET_Y_LPARAM(m.lParam);
  if (m.msg == WM_MOUSEMOVE) {
    edit_.MouseMove((m.wParam & MK_LBUTTON) != 0, x, y);
  } else {
    edit_.MouseDown(m.msg == WM_LBUTTONDBLCLK, x, y);
  }
  m.result = 0;
}

void NumEditWindow::onSetFont(ui::Message& m) {
  font_ = reinterpret_cast<HFONT>(m.wParam);
  readFontMetrics();
  if (LOWORD(m.lParam) != 0) ::UpdateWindow(handle());
  m.result = 0;
}

void NumEditWindow::onGetFont(ui::Message& m) { m.result = reinterpret_cast<LRESULT>(font_); }

void NumEditWindow::onRepaint(ui::Message& m) {
  // The text's place depends on the client size; the disabled colour on the state.
  edit_.PlaceCaret();
  invalidate();
  m.result = 0;
}

void NumEditWindow::onSetText(ui::Message& m) {
  const auto* text = reinterpret_cast<const wchar_t*>(m.lParam);
  edit_.setText(text != nullptr ? win32::fromWide(std::wstring_view(text)) : std::u16string());
  m.result = TRUE;
}

void NumEditWindow::onGetText(ui::Message& m) {
  auto* buffer = reinterpret_cast<wchar_t*>(m.lParam);
  const auto capacity = static_cast<std::size_t>(m.wParam);
  if (buffer == nullptr || capacity == 0) {
    m.result = 0;
    return;
  }
  const std::u16string& text = edit_.Text();
  const std::size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(buffer, text.data(), length * sizeof(wchar_t));
  buffer[length] = L'\0';
  m.result = static_cast<LRESULT>(length);
}

void NumEditWindow::onGetTextLength(ui::Message& m) {
  m.result = static_cast<LRESULT>(edit_.Text().size());
}

void NumEditWindow::onStyleChanged(ui::Message& m) {
  readBorder();
  m.result = 0;
}

void NumEditWindow::onSetCursor(ui::Message& m) {
  if (LOWORD(m.lParam) != HTCLIENT) {
    m.result = defaultProc(m);
    return;
  }
  ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
  m.result = TRUE;
}

void NumEditWindow::onSetFocus(ui::Message& m) {
  edit_.DoEnter();
  m.result = 0;
}

void NumEditWindow::onKillFocus(ui::Message& m) {
  edit_.DoExit();
  m.result = 0;
}

// ---- what the field asks of its window ----

HFONT NumEditWindow::font() const noexcept {
  return font_ != nullptr ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void NumEditWindow::readFontMetrics() {
  win32::WindowDc dc(handle());
  win32::SelectedObject selectedFont(dc.get(), font());
  SIZE m{};
  ::GetTextExtentPoint32W(dc.get(), L"M", 1, &m);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  edit_.FontChanged(m.cy, metrics.tmWeight >= FW_BOLD);
}

void NumEditWindow::readBorder() {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(handle(), GWL_EXSTYLE));
  const bool sunken = (exStyle & WS_EX_CLIENTEDGE) != 0;
  edit_.setBorderStyle(sunken || (style & WS_BORDER) != 0 ? TBorderStyle::bsSingle
                                                          : TBorderStyle::bsNone);
  edit_.setCtl3D(sunken);
}

int NumEditWindow::textWidth(std::u16string_view text) {
  win32::WindowDc dc(handle());
  win32::SelectedObject selectedFont(dc.get(), font());
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
  return size.cx;
}

int NumEditWindow::clientWidth() {
  RECT client{};
  ::GetClientRect(handle(), &client);
  return client.right;
}

int NumEditWindow::clientHeight() {
  RECT client{};
  ::GetClientRect(handle(), &client);
  return client.bottom;
}

void NumEditWindow::setClientHeight(int height) {
  RECT window{};
  ::GetWindowRect(handle(), &window);
  const int frame = (window.bottom - window.top) - clientHeight();
  ::SetWindowPos(handle(), nullptr, 0, 0, window.right - window.left, height + frame,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NumEditWindow::invalidate() { ::InvalidateRect(handle(), nullptr, TRUE); }

void NumEditWindow::createCaret(int width, int height) {
  ::CreateCaret(handle(), nullptr, width, height);
  caretHidden_ = true;  // a new caret starts hidden
}

void NumEditWindow::destroyCaret() {
  ::DestroyCaret();
  caretHidden_ = false;
}

void NumEditWindow::showCaretAt(int x, int y) {
  ::SetCaretPos(x, y);
  if (caretHidden_ && ::ShowCaret(handle()) != FALSE) caretHidden_ = false;
  if (HIMC context = ::ImmGetContext(handle())) {
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = {x, y};
    ::ImmSetCompositionWindow(context, &form);
    ::ImmReleaseContext(handle(), context);
  }
}

void NumEditWindow::beep() { ::MessageBeep(0); }

void NumEditWindow::changed() {
  const HWND parent = ::GetParent(handle());
  if (parent == nullptr) return;
  const auto id = static_cast<WORD>(::GetDlgCtrlID(handle()));
  ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(handle()));
}

std::optional<std::u16string> NumEditWindow::clipboardText() {
  if (::IsClipboardFormatAvailable(CF_UNICODETEXT) == FALSE) return std::nullopt;
  OpenedClipboard clipboard(handle());
  if (!clipboard) return std::nullopt;
  const HGLOBAL memory = ::GetClipboardData(CF_UNICODETEXT);
  if (memory == nullptr) return std::nullopt;
  LockedGlobal locked(memory);
  if (locked.text() == nullptr) return std::nullopt;
  // Up to the first NUL, and never beyond the block: another program wrote it.
  const std::size_t capacity = ::GlobalSize(memory) / sizeof(wchar_t);
  const wchar_t* text = locked.text();
  return win32::fromWide(text,
                         static_cast<std::size_t>(std::find(text, text + capacity, L'\0') - text));
}

void NumEditWindow::setClipboardText(std::u16string_view text) {
  win32::UniqueGlobalMemory memory(
      ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) return;
  {
    LockedGlobal locked(memory.get());
    if (locked.text() == nullptr) return;
    std::memcpy(locked.text(), text.data(), text.size() * sizeof(wchar_t));
    locked.text()[text.size()] = L'\0';
  }
  OpenedClipboard clipboard(handle());
  if (!clipboard || ::EmptyClipboard() == FALSE) return;
  if (::SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) (void)memory.release();
}

void NumEditWindow::moveFocus(bool next) {
  const HWND root = ::GetAncestor(handle(), GA_ROOT);
  if (const HWND target = ::GetNextDlgTabItem(root, handle(), next ? FALSE : TRUE)) {
    ::SetFocus(target);
  }
}

void NumEditWindow::takeFocus() {
  // Never steal the focus into a window that is not in front.
  const HWND foreground = ::GetForegroundWindow();
  if (foreground != nullptr &&
      ::GetWindowThreadProcessId(foreground, nullptr) == ::GetCurrentThreadId()) {
    ::SetFocus(handle());
  }
}

}  // namespace rimfold::widgets
