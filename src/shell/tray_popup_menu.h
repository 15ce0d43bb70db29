// The tray icon's popup menu on screen: a Win32 menu built from the menu table and its live
// state each time it opens; the chosen command goes back to the main form as WM_COMMAND.
#pragma once

#include <windows.h>

#include "app/tray_menu.h"
#include "platform/win32/unique_handle.h"

namespace rimfold::shell {

// The menu as it is shown now: hidden items left out, checks, radio marks, the default
// item, and the shield bitmap on PPAdminQ when there is one.
win32::UniqueMenu buildTrayMenu(const app::TrayMenu& menu, HBITMAP shield);

class TrayPopupMenu final : public ITrayPopupMenu {
 public:
  // owner: the tray handler's window, which has the foreground while the menu is open;
  // commandTarget: the main form, which gets the WM_NULL and the chosen command.
  TrayPopupMenu(app::TrayMenu& menu, HWND owner, HWND commandTarget);

  bool autoPopup() override { return true; }
  void popup(std::int32_t x, std::int32_t y) override;
  bool clickDefaultItem() override { return menu_.clickDefaultItem(); }

  // SetMenuShieldIcon for PPAdminQ; without a stock icon the item keeps no bitmap.
  void SetMenuShieldIcon();
  HBITMAP shieldBitmap() const noexcept { return static_cast<HBITMAP>(shield_.get()); }

 private:
  app::TrayMenu& menu_;
  HWND owner_;
  HWND commandTarget_;
  win32::UniqueGdiObject shield_;
};

}  // namespace rimfold::shell
