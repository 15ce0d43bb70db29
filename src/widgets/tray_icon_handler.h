// The Win32 side of the tray icon: the process's hidden handler window that owns the
// notification-area entries and receives the shell's callbacks, and the Shell_NotifyIconW
// record. The logic stays in widgets/model/cool_tray_icon.h.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "ui/window_base.h"
#include "widgets/model/cool_tray_icon.h"

namespace rimfold::widgets {

inline constexpr wchar_t kTrayIconHandlerClass[] = L"TTrayIconHandler";

// The shell's record for a notify-icon request, in the Windows 2000 layout.
NOTIFYICONDATAW toNotifyIconData(const NotifyIconData& d);

class TTrayIconHandler final : public ui::WindowBase, public ITrayShell {
 public:
  // The one handler of the process: made with the first icon, gone with the last.
  static std::shared_ptr<TTrayIconHandler> acquire();
  ~TTrayIconHandler() override;

  void addIcon(TCoolTrayIcon& icon);
  void removeIcon(TCoolTrayIcon& icon);

  bool shellNotifyIcon(std::uint32_t message, const NotifyIconData& data) override;
  Hwnd handlerWindow() override;
  void setForegroundHandler() override;
  std::uint32_t doubleClickTime() override;

 private:
  TTrayIconHandler();
  bool onMessage(ui::Message& m) override;

  std::vector<TCoolTrayIcon*> icons_;
};

// One tray icon on the shared handler.
class TrayIconOwner {
 public:
  explicit TrayIconOwner(IInput& input);
  ~TrayIconOwner();
  TrayIconOwner(const TrayIconOwner&) = delete;
  TrayIconOwner& operator=(const TrayIconOwner&) = delete;

  TCoolTrayIcon& component() noexcept { return icon_; }
  HWND Handle() const noexcept { return handler_->handle(); }

 private:
  std::shared_ptr<TTrayIconHandler> handler_;
  TCoolTrayIcon icon_;
};

// "TaskbarCreated" when the common controls are 4.71 or later, else 0.
UINT registerTaskbarCreated();

}  // namespace rimfold::widgets
