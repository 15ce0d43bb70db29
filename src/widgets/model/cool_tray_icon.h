// TCoolTrayIcon: one notification-area icon with its tooltip, the shell's mouse
// notifications turned into events, the popup menu at the cursor and its default item on
// a double-click, and the icon put back after the shell restarts. Shell_NotifyIconW, the
// handler window and the menu are behind small interfaces; the logic is all here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "widgets/model/simple_timer.h"
#include "platform/input.h"
#include "platform/types.h"

namespace rimfold {

using IconHandle = std::uint64_t;

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNimSetVersion = 4;

inline constexpr std::uint32_t kTrayCallbackMessage = 0x0800;
inline constexpr std::uint32_t kNotifyIconDataSize = 936;  // the Windows 2000 layout
inline constexpr std::uint32_t kNifMessageIconTip = 7;     // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr std::size_t kTipLength = 126;             // of the 128-unit szTip

// Notification codes of the callback message's lParam.
inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmLButtonUp = 0x0202;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kWmRButtonDown = 0x0204;
inline constexpr std::uint32_t kWmRButtonUp = 0x0205;
inline constexpr std::uint32_t kWmMButtonDown = 0x0207;
inline constexpr std::uint32_t kWmMButtonUp = 0x0208;
inline constexpr std::uint32_t kWmContextMenu = 0x007B;
inline constexpr std::uint32_t kNinSelect = 0x0400;
inline constexpr std::uint32_t kNinKeySelect = 0x0401;
inline constexpr std::uint32_t kNinBalloonShow = 0x0402;
inline constexpr std::uint32_t kNinBalloonHide = 0x0403;
inline constexpr std::uint32_t kNinBalloonTimeout = 0x0404;
inline constexpr std::uint32_t kNinBalloonUserClick = 0x0405;

inline constexpr std::uint32_t kExitTimerInterval = 20;

// The record handed to Shell_NotifyIconW (only the fields the program sets).
struct NotifyIconData {
  std::uint32_t cbSize = kNotifyIconDataSize;
  Hwnd hWnd = 0;
  std::uintptr_t uID = 0;
  std::uint32_t uFlags = kNifMessageIconTip;
  std::uint32_t uCallbackMessage = kTrayCallbackMessage;
  IconHandle hIcon = 0;
  std::u16string szTip;
  std::uint32_t uVersion = 0;
  friend bool operator==(const NotifyIconData&, const NotifyIconData&) = default;
};

// The shell and the hidden handler window.
class ITrayShell {
 public:
  virtual ~ITrayShell() = default;
  virtual bool shellNotifyIcon(std::uint32_t message, const NotifyIconData& data) = 0;
  virtual Hwnd handlerWindow() = 0;
  virtual void setForegroundHandler() = 0;  // SetForegroundWindow(handler window)
  virtual std::uint32_t doubleClickTime() = 0;
};

// The popup menu attached to the icon.
class ITrayPopupMenu {
 public:
  virtual ~ITrayPopupMenu() = default;
  virtual bool autoPopup() = 0;
  // Shows the menu at (x, y) and returns when it closes (the shell posts WM_NULL after).
  virtual void popup(std::int32_t x, std::int32_t y) = 0;
  // Clicks the first top-level item whose Default is set; false when there is none.
  virtual bool clickDefaultItem() = 0;
};

enum class TrayMouseButton { Left, Right, Middle };

// Shift state bits as the mouse events get them.
inline constexpr std::uint32_t kSsShift = 0x01;
inline constexpr std::uint32_t kSsAlt = 0x02;
inline constexpr std::uint32_t kSsCtrl = 0x04;
inline constexpr std::uint32_t kSsLeft = 0x08;
inline constexpr std::uint32_t kSsRight = 0x10;
inline constexpr std::uint32_t kSsMiddle = 0x20;

using TrayNotify = std::function<void()>;
using TrayMouseEvent = std::function<void(TrayMouseButton button, std::uint32_t shift,
                                          std::int32_t x, std::int32_t y)>;
using TrayMoveEvent = std::function<void(std::uint32_t shift, std::int32_t x, std::int32_t y)>;

class TCoolTrayIcon {
 public:
  TCoolTrayIcon(ITrayShell& shell, IInput& input);
  ~TCoolTrayIcon();
  TCoolTrayIcon(const TCoolTrayIcon&) = delete;
  TCoolTrayIcon& operator=(const TCoolTrayIcon&) = delete;

  // End of loading: update the entry, then apply IconVisible and Behavior.
  void Loaded();

  bool AddTrayIcon();
  bool DeleteTrayIcon();
  bool UpdateTrayIcon();
  bool Refresh() { return UpdateTrayIcon(); }

  bool IconVisible() const { return FIconVisible; }
  void setIconVisible(bool on);
  IconHandle Icon() const { return FIcon; }
  void setIcon(IconHandle icon);
  const std::u16string& Hint() const { return FHint; }
  void setHint(std::u16string hint);
  bool ShowHint() const { return FShowHint; }
  void setShowHint(bool on);
  int Behavior() const { return FBehavior; }
  void setBehavior(int behavior);  // 0 bhWin95, 1 bhWin2000
  bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
  void setWantEnterExitEvents(bool on);

  bool Enabled = true;
  bool LeftPopup = false;
  ITrayPopupMenu* PopupMenu = nullptr;

  // The record as it goes to the shell now.
  NotifyIconData IconData() const;

  // The callback message's lParam for this icon.
  void HandleIconMessage(std::uint32_t code);
  // The registered "TaskbarCreated" broadcast reached the main window.
  void TaskbarCreated();
  void PopupAtCursor();
  void Popup(std::int32_t x, std::int32_t y);

  TrayNotify OnClick, OnDblClick, OnMouseEnter, OnMouseExit;
  TrayMouseEvent OnMouseDown, OnMouseUp;
  TrayMoveEvent OnMouseMove;
  TrayNotify OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;

  // For the shell's tests and timers.
  TSimpleTimer& clickTimer() { return *ClickTimer; }
  TSimpleTimer& exitTimer() { return *ExitTimer; }

 private:
  bool notify(std::uint32_t message);
  std::uint32_t shiftState(std::uint32_t buttonFlag);
  TPoint cursor();
  void ClickTimerProc();
  void ExitTimerProc();

  ITrayShell& shell_;
  IInput& input_;
  std::uintptr_t FIconID;
  bool FIconVisible = false;
  IconHandle FIcon = 0;
  std::u16string FHint;
  bool FShowHint = true;
  int FBehavior = 0;
  bool FWantEnterExitEvents = false;
  bool FClickStart = false;
  bool FClickReady = false;
  bool IsDblClick = false;
  std::int32_t LastMoveX = 0;
  std::int32_t LastMoveY = 0;
  bool FDidExit = true;
  std::unique_ptr<TSimpleTimer> ClickTimer;
  std::unique_ptr<TSimpleTimer> ExitTimer;
};

}  // namespace rimfold
