// The tray icon's popup menu PPMenu: its items as one constant table the Win32 shell
// builds the menu from, their live state (checks, visibility, captions) and the commands'
// effects. The shell only shows the menu and forwards clicks by item id.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings_file.h"
#include "widgets/model/cool_tray_icon.h"
#include "widgets/model/hook_hot_key.h"
#include "display/monitor_switch.h"
#include "platform/platform.h"
#include "system/system_traits.h"

namespace rimfold::app {

// Menu command ids, in display order (submenu items follow their submenu).
enum TrayMenuId : std::uint16_t {
  PPStop = 100,
  PPConfig,
  PPMoveWindowSpeed,
  PPDispDialog,
  PPReturnWindows,
  PPSignIn,
  PPAdminQ,
  N1,
  PPConstraints,
  PPConstraints0,
  PPConstraints1,
  PPConstraints2,
  PPConstraints3,
  CHKDragfullwindows,
  PPDisplayChange,
  PPDisplayChange0,
  PPDisplayChange1,
  PPDisplayChange2,
  PPDisplayChange3,
  N2,
  PPClose,
  kTrayMenuEnd
};
// The level and the display mode are the offset from the group's first item.
static_assert(PPConstraints3 - PPConstraints0 == 3);
static_assert(PPDisplayChange3 - PPDisplayChange0 == 3);

inline constexpr std::size_t kTrayMenuItemCount = kTrayMenuEnd - PPStop;
inline constexpr std::int32_t kStopHotKeyIndex = 1;

enum class TrayItemKind { Command, Check, Radio, Submenu, Separator };

struct TrayMenuItemDef {
  TrayMenuId id;
  const char16_t* caption;  // the Windows 10 caption where it depends on the version
  TrayItemKind kind;
  TrayMenuId parent;  // 0 for the top level
  int groupIndex;     // radio group, 0 for none
  int tag;
  bool autoCheck;  // flips its own check mark before the click handler runs
  bool isDefault;  // the bold item a double-click on the icon performs
};

inline constexpr TrayMenuId kTopLevel = static_cast<TrayMenuId>(0);

inline constexpr TrayMenuItemDef kTrayMenu[] = {
    {PPStop, u"停止(&S)", TrayItemKind::Check, kTopLevel, 0, 0, true, true},
    {PPConfig, u"設定(&C)", TrayItemKind::Command, kTopLevel, 0, 0, false, false},
    {PPMoveWindowSpeed, u"慣性移動(&M)", TrayItemKind::Check, kTopLevel, 0, 0, true, false},
    {PPDispDialog, u"モニタの変更時ダイアログを表示(&D)", TrayItemKind::Check, kTopLevel, 0, 0,
     true, false},
    {PPReturnWindows, u"モニタ復帰時にウィンドウを戻す", TrayItemKind::Check, kTopLevel, 0, 0, true,
     false},
    {PPSignIn, u"サインイン時に起動", TrayItemKind::Check, kTopLevel, 0, 0, false, false},
    {PPAdminQ, u"非常駐モード（管理者）を実行", TrayItemKind::Command, kTopLevel, 0, 0, false,
     false},
    {N1, u"-", TrayItemKind::Separator, kTopLevel, 0, 0, false, false},
    {PPConstraints, u"ウィンドウの最小の大きさを制限", TrayItemKind::Submenu, kTopLevel, 0, 0,
     false, false},
    {PPConstraints0, u"しない", TrayItemKind::Radio, PPConstraints, 1, 0, false, false},
    {PPConstraints1, u"1/2", TrayItemKind::Radio, PPConstraints, 1, 1, false, false},
    {PPConstraints2, u"1/3", TrayItemKind::Radio, PPConstraints, 1, 2, false, false},
    {PPConstraints3, u"1/4", TrayItemKind::Radio, PPConstraints, 1, 3, false, false},
    {CHKDragfullwindows, u"ドラッグ中にウィンドウの内容を表示する(&W)", TrayItemKind::Check,
     kTopLevel, 0, 0, true, false},
    {PPDisplayChange, u"モニタ切り替え", TrayItemKind::Submenu, kTopLevel, 0, 0, false, false},
    {PPDisplayChange0, kDisplayModeCaptions10[0], TrayItemKind::Command, PPDisplayChange, 0, 0,
     false, false},
    {PPDisplayChange1, kDisplayModeCaptions10[1], TrayItemKind::Command, PPDisplayChange, 0, 1,
     false, false},
    {PPDisplayChange2, kDisplayModeCaptions10[2], TrayItemKind::Command, PPDisplayChange, 0, 2,
     false, false},
    {PPDisplayChange3, kDisplayModeCaptions10[3], TrayItemKind::Command, PPDisplayChange, 0, 3,
     false, false},
    {N2, u"-", TrayItemKind::Separator, kTopLevel, 0, 0, false, false},
    {PPClose, u"終了(&X)", TrayItemKind::Command, kTopLevel, 0, 0, false, false},
};
static_assert(std::size(kTrayMenu) == kTrayMenuItemCount);

constexpr bool trayMenuInIdOrder() {
  for (std::size_t i = 0; i < std::size(kTrayMenu); ++i) {
    if (kTrayMenu[i].id != PPStop + i) return false;
  }
  return true;
}
static_assert(trayMenuInIdOrder(), "the table is indexed by id");

constexpr const TrayMenuItemDef& trayMenuItem(TrayMenuId id) { return kTrayMenu[id - PPStop]; }

// What the commands need of the main form around the menu.
class ITrayMenuHost {
 public:
  virtual Hwnd mainWindow() = 0;
  virtual void closeMainForm() = 0;

 protected:
  ~ITrayMenuHost() = default;
};

// The configuration dialog, as the menu opens it.
class IConfigDialog {
 public:
  virtual bool visible() const noexcept = 0;
  // Modal; returns the hotkey text it leaves, which may be a new one.
  virtual std::u16string showModal() = 0;

 protected:
  ~IConfigDialog() = default;
};

struct TrayIcons {
  IconHandle form = 0;  // the running state: the form's own icon
  IconHandle stop = 0;  // ImageStop
};

inline constexpr char16_t kHintRunning[] = u"Rimfold";
inline constexpr char16_t kHintStopped[] = u"Rimfold - 停止";

class TrayMenu {
 public:
  TrayMenu(Platform& p, ITrayMenuHost& host, IConfigDialog& dialog, TCoolTrayIcon& trayIcon,
           THookHotKey& hotKey, TrayIcons icons, const TraySettings& settings,
           const SystemTraits& system);

  // Form creation: hotkey, stopped presentation, the radio item, display-mode captions and
  // visibility, and whether PPAdminQ is offered.
  void setUp();

  bool checked(TrayMenuId id) const { return state(id).checked; }
  bool visible(TrayMenuId id) const { return state(id).visible; }
  // An item the user can reach: a menu id, visible, and inside a visible submenu.
  bool shown(int id) const;
  const std::u16string& caption(TrayMenuId id) const { return state(id).caption; }
  int tag(TrayMenuId id) const { return trayMenuItem(id).tag; }

  // A click on the item: a self-checking item flips first, then its handler runs.
  void click(TrayMenuId id);
  // The icon's double-click: the first top-level default item; false when there is none.
  bool clickDefaultItem();

  void PPMenuPopup();
  void PPStopClick();
  void PPConfigClick();
  void PPSignInClick();
  void PPConstraintsClick(int tag);
  void CHKDragfullwindowsClick();
  void PPCloseClick();
  void HookHotKeyHotKey(THookHotKey& sender, std::int32_t index);

  std::int32_t MPPConstraintsC = 0;
  std::u16string MHotKeyStop;

  // The state Rimfold.ini keeps at close.
  TraySettings settings() const;

 private:
  struct ItemState {
    bool checked = false;
    bool visible = true;
    std::u16string caption;
  };
  ItemState& state(TrayMenuId id) { return items_[id - PPStop]; }
  const ItemState& state(TrayMenuId id) const { return items_[id - PPStop]; }
  void checkRadio(TrayMenuId id);
  // The sign-in entry as the registry has it now: another program may change it.
  void readSignIn();
  void registerStopHotKey();

  Platform& p_;
  ITrayMenuHost& host_;
  IConfigDialog& dialog_;
  TCoolTrayIcon& trayIcon_;
  THookHotKey& hotKey_;
  TrayIcons icons_;
  const SystemTraits& system_;
  std::array<ItemState, kTrayMenuItemCount> items_;
};

}  // namespace rimfold::app
