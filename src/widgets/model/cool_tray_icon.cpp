#include "widgets/model/cool_tray_icon.h"

namespace rimfold {

TCoolTrayIcon::TCoolTrayIcon(ITrayShell& shell, IInput& input)
    : shell_(shell), input_(input), FIconID(reinterpret_cast<std::uintptr_t>(this)) {
  ClickTimer = std::make_unique<TSimpleTimer>(1000, [this](TSimpleTimer&) { ClickTimerProc(); });
  ExitTimer = std::make_unique<TSimpleTimer>(kExitTimerInterval,
                                             [this](TSimpleTimer&) { ExitTimerProc(); });
}

TCoolTrayIcon::~TCoolTrayIcon() { DeleteTrayIcon(); }

void TCoolTrayIcon::Loaded() {
  UpdateTrayIcon();
  setIconVisible(FIconVisible);
  setBehavior(FBehavior);
}

NotifyIconData TCoolTrayIcon::IconData() const {
  NotifyIconData d;
  d.hWnd = shell_.handlerWindow();
  d.uID = FIconID;
  d.hIcon = FIcon;
  if (FShowHint && !FHint.empty()) d.szTip = FHint.substr(0, kTipLength);
  d.uVersion = FBehavior == 1 ? 3 : 0;
  return d;
}

bool TCoolTrayIcon::notify(std::uint32_t message) {
  return shell_.shellNotifyIcon(message, IconData());
}

// The state follows the request, whatever the shell answers.
bool TCoolTrayIcon::AddTrayIcon() {
  FIconVisible = true;
  return notify(kNimAdd);
}

bool TCoolTrayIcon::DeleteTrayIcon() {
  FIconVisible = false;
  return notify(kNimDelete);
}

bool TCoolTrayIcon::UpdateTrayIcon() { return notify(kNimModify); }

void TCoolTrayIcon::setIconVisible(bool on) {
  if (on) {
    AddTrayIcon();
  } else {
    DeleteTrayIcon();
  }
}

void TCoolTrayIcon::setIcon(IconHandle icon) {
  FIcon = icon;
  UpdateTrayIcon();
}

void TCoolTrayIcon::setHint(std::u16string hint) {
  FHint = std::move(hint);
  UpdateTrayIcon();
}

void TCoolTrayIcon::setShowHint(bool on) {
  FShowHint = on;
  UpdateTrayIcon();
}

void TCoolTrayIcon::setBehavior(int behavior) {
  FBehavior = behavior;
  if (behavior == 0 || behavior == 1) notify(kNimSetVersion);
}

void TCoolTrayIcon::setWantEnterExitEvents(bool on) {
  FWantEnterExitEvents = on;
  ExitTimer->setEnabled(on);
}

std::uint32_t TCoolTrayIcon::shiftState(std::uint32_t buttonFlag) {
  std::uint32_t s = buttonFlag;
  if (input_.getAsyncKeyState(kVkShift) < 0) s |= kSsShift;
  if (input_.getAsyncKeyState(kVkControl) < 0) s |= kSsCtrl;
  if (input_.getAsyncKeyState(kVkMenu) < 0) s |= kSsAlt;
  return s;
}

TPoint TCoolTrayIcon::cursor() {
  TPoint p;
  if (!input_.getCursorPos(p)) p = TPoint{};
  return p;
}

void TCoolTrayIcon::HandleIconMessage(std::uint32_t code) {
  switch (code) {
    case kNinBalloonShow:
      if (OnBalloonHintShow) OnBalloonHintShow();
      return;
    case kNinBalloonHide:
      if (OnBalloonHintHide) OnBalloonHintHide();
      return;
    case kNinBalloonTimeout:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout();
      return;
    case kNinBalloonUserClick:
      if (OnBalloonHintClick) OnBalloonHintClick();
      return;
    default: break;
  }
  // While a modal dialog of ours is up the icon keeps its tooltip but ignores the mouse.
  if (!Enabled) return;

  const TPoint at = cursor();
  const bool popupEnabled = PopupMenu != nullptr && PopupMenu->autoPopup();
  switch (code) {
    case kWmMouseMove:
      if (FWantEnterExitEvents && FDidExit) {
        if (OnMouseEnter) OnMouseEnter();
        FDidExit = false;
      }
      if (OnMouseMove) OnMouseMove(shiftState(0), at.X, at.Y);
      LastMoveX = at.X;
      LastMoveY = at.Y;
      break;
    case kWmLButtonDown:
      if (OnDblClick) {
        ClickTimer->setInterval(shell_.doubleClickTime());
        ClickTimer->setEnabled(true);
      }
      if (OnMouseDown) OnMouseDown(TrayMouseButton::Left, shiftState(kSsLeft), at.X, at.Y);
      FClickStart = true;
      if (LeftPopup && popupEnabled) {
        shell_.setForegroundHandler();
        PopupAtCursor();
      }
      break;
    case kWmLButtonUp:
      if (FClickStart) {
        FClickReady = true;
        if (!ClickTimer->Enabled()) {
          FClickStart = false;
          FClickReady = false;
          if (OnClick) OnClick();
        }
      }
      FClickStart = false;
      if (OnMouseUp) OnMouseUp(TrayMouseButton::Left, shiftState(kSsLeft), at.X, at.Y);
      break;
    case kWmLButtonDblClk:
      FClickReady = false;
      IsDblClick = true;
      if (OnDblClick) OnDblClick();
      if (popupEnabled && !LeftPopup) PopupMenu->clickDefaultItem();
      break;
    case kWmRButtonDown:
      if (OnMouseDown) OnMouseDown(TrayMouseButton::Right, shiftState(kSsRight), at.X, at.Y);
      if (popupEnabled) {
        shell_.setForegroundHandler();
        PopupAtCursor();
      }
      break;
    case kWmRButtonUp:
      if (FBehavior == 0 && OnMouseUp) {
        OnMouseUp(TrayMouseButton::Right, shiftState(kSsRight), at.X, at.Y);
      }
      break;
    case kWmContextMenu:
    case kNinSelect:
    case kNinKeySelect:
      if (FBehavior == 1 && OnMouseUp) {
        OnMouseUp(TrayMouseButton::Right, shiftState(kSsRight), at.X, at.Y);
      }
      break;
    case kWmMButtonDown:
      if (OnMouseDown) OnMouseDown(TrayMouseButton::Middle, shiftState(kSsMiddle), at.X, at.Y);
      break;
    case kWmMButtonUp:
      if (OnMouseUp) OnMouseUp(TrayMouseButton::Middle, shiftState(kSsMiddle), at.X, at.Y);
      break;
    default: break;
  }
}

void TCoolTrayIcon::ClickTimerProc() {
  ClickTimer->setEnabled(false);
  if (!IsDblClick && FClickReady) {
    FClickReady = false;
    if (OnClick) OnClick();
  }
  IsDblClick = false;
}

void TCoolTrayIcon::ExitTimerProc() {
  if (FDidExit) return;
  const TPoint at = cursor();
  if (at.X != LastMoveX || at.Y != LastMoveY) {
    FDidExit = true;
    if (OnMouseExit) OnMouseExit();
  }
}

void TCoolTrayIcon::TaskbarCreated() {
  if (FIconVisible) AddTrayIcon();
}

void TCoolTrayIcon::PopupAtCursor() {
  TPoint p;
  if (input_.getCursorPos(p)) Popup(p.X, p.Y);
}

void TCoolTrayIcon::Popup(std::int32_t x, std::int32_t y) {
  if (PopupMenu == nullptr) return;
  // Without the foreground step the menu would not close on a click elsewhere.
  shell_.setForegroundHandler();
  PopupMenu->popup(x, y);
}

}  // namespace rimfold
