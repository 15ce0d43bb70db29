#include "shell/tray_popup_menu.h"

#include <shellapi.h>

#include <string>

#include "ui/message_loop.h"
#include "platform/win32/win32_convert.h"

namespace rimfold::shell {

namespace {

constexpr UINT kPopupFlags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY;

void appendItems(HMENU target, const app::TrayMenu& menu, app::TrayMenuId parent, HBITMAP shield) {
  for (const app::TrayMenuItemDef& d : app::kTrayMenu) {
    if (d.parent != parent || !menu.visible(d.id)) continue;
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    mi.wID = d.id;
    // The item keeps its own copy; the caption only has to live for the insertion.
    std::wstring text = win32::toWide(menu.caption(d.id));
    if (d.kind == app::TrayItemKind::Separator) {
      mi.fType = MFT_SEPARATOR;
    } else {
      mi.fMask |= MIIM_STRING;
      mi.dwTypeData = text.data();
    }
    if (d.kind == app::TrayItemKind::Radio) mi.fType |= MFT_RADIOCHECK;
    if (menu.checked(d.id)) mi.fState |= MFS_CHECKED;
    if (d.isDefault) mi.fState |= MFS_DEFAULT;
    if (d.kind == app::TrayItemKind::Submenu) {
      mi.fMask |= MIIM_SUBMENU;
      mi.hSubMenu = ::CreatePopupMenu();
      appendItems(mi.hSubMenu, menu, d.id, shield);
    }
    if (d.id == app::PPAdminQ && shield != nullptr) {
      mi.fMask |= MIIM_BITMAP;
      mi.hbmpItem = shield;
    }
    ::InsertMenuItemW(target, static_cast<UINT>(::GetMenuItemCount(target)), TRUE, &mi);
  }
}

}  // namespace

win32::UniqueMenu buildTrayMenu(const app::TrayMenu& menu, HBITMAP shield) {
  win32::UniqueMenu popup(::CreatePopupMenu());
  if (popup) appendItems(popup.get(), menu, app::kTopLevel, shield);
  return popup;
}

TrayPopupMenu::TrayPopupMenu(app::TrayMenu& menu, HWND owner, HWND commandTarget)
    : menu_(menu), owner_(owner), commandTarget_(commandTarget) {}

void TrayPopupMenu::popup(std::int32_t x, std::int32_t y) {
  ui::processMessages();
  menu_.PPMenuPopup();
  win32::UniqueMenu shown = buildTrayMenu(menu_, shieldBitmap());
  if (!shown) return;
  const UINT command =
      static_cast<UINT>(::TrackPopupMenuEx(shown.get(), kPopupFlags, x, y, owner_, nullptr));
  // Without this the menu would not close on the next click elsewhere.
  ::PostMessageW(commandTarget_, WM_NULL, 0, 0);
  // The command runs from the message loop, as a menu's WM_COMMAND does, not from inside
  // the shell's callback.
  if (command != 0) ::PostMessageW(commandTarget_, WM_COMMAND, command, 0);
}

void TrayPopupMenu::SetMenuShieldIcon() {
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof(info);
  if (FAILED(::SHGetStockIconInfo(SIID_SHIELD, SHGSI_ICON | SHGSI_SMALLICON, &info)) ||
      info.hIcon == nullptr) {
    return;
  }
  const win32::UniqueIcon icon(info.hIcon);
  ICONINFO ii{};
  BITMAP bm{};
  if (::GetIconInfo(icon.get(), &ii)) {
    const win32::UniqueGdiObject color(ii.hbmColor), mask(ii.hbmMask);
    ::GetObjectW(color ? color.get() : mask.get(), sizeof(bm), &bm);
    if (!color) bm.bmHeight /= 2;  // a monochrome icon stacks mask and image
  }
  const int cx = bm.bmWidth > 0 ? bm.bmWidth : ::GetSystemMetrics(SM_CXSMICON);
  const int cy = bm.bmHeight > 0 ? bm.bmHeight : ::GetSystemMetrics(SM_CYSMICON);
  // A 32-bit top-down section starting fully transparent: the icon's alpha is what the
  // menu blends, so only the shield shows, also on a highlighted item.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const win32::UniqueScreenDC screen(::GetDC(nullptr));
  win32::UniqueGdiObject bitmap(
      ::CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return;
  const win32::UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
  if (!dc) return;
  HGDIOBJ old = ::SelectObject(dc.get(), bitmap.get());
  ::DrawIconEx(dc.get(), 0, 0, icon.get(), cx, cy, 0, nullptr, DI_NORMAL);
  ::SelectObject(dc.get(), old);
  shield_ = std::move(bitmap);
}

}  // namespace rimfold::shell
