#include "widgets/tray_icon_handler.h"

#include <shlwapi.h>

#include <algorithm>

#include "platform/win32/proc_address.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"

namespace rimfold::widgets {

namespace {

// The Windows 2000 layout ends before guidItem; 936 bytes in a 32-bit process, 952 in a
// 64-bit one, where the handles are wider.
constexpr DWORD kNotifyIconDataV2Size = NOTIFYICONDATAW_V2_SIZE;
static_assert(sizeof(void*) == 8 || kNotifyIconDataV2Size == kNotifyIconDataSize);

// The hidden window ignores close requests and never objects to a log-off.
constexpr UINT kAnsweredWithOne[] = {WM_DESTROY, WM_CLOSE,      WM_QUERYENDSESSION,
                                     WM_QUIT,    WM_ENDSESSION, WM_NCDESTROY};

std::weak_ptr<TTrayIconHandler>& sharedHandler() {
  static std::weak_ptr<TTrayIconHandler> handler;
  return handler;
}

}  // namespace

NOTIFYICONDATAW toNotifyIconData(const NotifyIconData& d) {
  NOTIFYICONDATAW n{};
  n.cbSize = kNotifyIconDataV2Size;
  n.hWnd = win32::toHwnd(d.hWnd);
  // The identifier is the component's address; the shell keeps 32 bits of it, and the
  // callback brings back the same 32 bits.
  n.uID = static_cast<UINT>(d.uID);
  n.uFlags = d.uFlags;
  n.uCallbackMessage = d.uCallbackMessage;
  n.hIcon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(d.hIcon));
  const std::size_t length = std::min(d.szTip.size(), std::size(n.szTip) - 1);
  std::copy_n(d.szTip.data(), length, n.szTip);
  n.szTip[length] = L'\0';
  n.uVersion = d.uVersion;
  return n;
}

std::shared_ptr<TTrayIconHandler> TTrayIconHandler::acquire() {
  std::shared_ptr<TTrayIconHandler> handler = sharedHandler().lock();
  if (!handler) {
    handler.reset(new TTrayIconHandler());
    sharedHandler() = handler;
  }
  return handler;
}

TTrayIconHandler::TTrayIconHandler() {
  // A hidden top-level window: it owns the entries and must be able to take the
  // foreground before a popup menu, which a message-only window cannot.
  createWindow({kTrayIconHandlerClass, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0});
}

TTrayIconHandler::~TTrayIconHandler() { destroyWindow(); }

void TTrayIconHandler::addIcon(TCoolTrayIcon& icon) { icons_.push_back(&icon); }

void TTrayIconHandler::removeIcon(TCoolTrayIcon& icon) {
  icons_.erase(std::remove(icons_.begin(), icons_.end(), &icon), icons_.end());
}

bool TTrayIconHandler::shellNotifyIcon(std::uint32_t message, const NotifyIconData& data) {
  NOTIFYICONDATAW n = toNotifyIconData(data);
  return ::Shell_NotifyIconW(message, &n) != FALSE;
}

Hwnd TTrayIconHandler::handlerWindow() { return win32::fromHwnd(handle()); }

void TTrayIconHandler::setForegroundHandler() { ::SetForegroundWindow(handle()); }

std::uint32_t TTrayIconHandler::doubleClickTime() { return ::GetDoubleClickTime(); }

bool TTrayIconHandler::onMessage(ui::Message& m) {
  if (m.msg == kTrayCallbackMessage) {
    // Any program can send this message: only the identifier of a live icon of ours is
    // turned back into a component.
    const auto id = static_cast<UINT>(m.wParam);
    for (TCoolTrayIcon* icon : icons_) {
      if (static_cast<UINT>(icon->IconData().uID) == id) {
        icon->HandleIconMessage(static_cast<std::uint32_t>(m.lParam));
        break;
      }
    }
    m.result = 0;
    return true;
  }
  if (std::find(std::begin(kAnsweredWithOne), std::end(kAnsweredWithOne), m.msg) !=
      std::end(kAnsweredWithOne)) {
    m.result = 1;
    return true;
  }
  return false;
}

TrayIconOwner::TrayIconOwner(IInput& input)
    : handler_(TTrayIconHandler::acquire()), icon_(*handler_, input) {
  handler_->addIcon(icon_);
}

TrayIconOwner::~TrayIconOwner() {
  // The component's own destruction removes the entry; it must not be reachable from a
  // callback after that.
  handler_->removeIcon(icon_);
}

UINT registerTaskbarCreated() {
  HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
  // Loaded only to read its version: released again, so that a resident program does not
  // keep it mapped until the dialog needs it.
  win32::UniqueModule loaded;
  if (comctl == nullptr) {
    loaded.reset(::LoadLibraryW(L"comctl32.dll"));
    comctl = loaded.get();
  }
  if (comctl == nullptr) return 0;
  const auto getVersion = win32::procAddress<DLLGETVERSIONPROC>(comctl, "DllGetVersion");
  if (getVersion == nullptr) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof(info);
  if (FAILED(getVersion(&info))) return 0;
  const bool atLeast471 =
      info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion >= 71);
  return atLeast471 ? ::RegisterWindowMessageW(L"TaskbarCreated") : 0;
}

}  // namespace rimfold::widgets
