// The tray icon's popup menu PPMenu: its items as one constant table the Win32 shell
// builds the menu from, their live state (checks, visibility, captions) and the commands'
// effects. The shell only shows the menu and forwards clicks by item id.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_file.h"
#include "widgets/model/cool_tray_icon.h"
#include "widgets/model/hook_hot_key.h"
#include "display/monitor_switch.h"
#include "platform/platform.h"
#include "rtl/ui_text.h"
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
  PPLanguage,
  PPLanguage0,
  PPLanguage1,
  PPClose,
  kTrayMenuEnd
};
// The level and the display mode are the offset from the group's first item.
static_assert(PPConstraints3 - PPConstraints0 == 3);
static_assert(PPDisplayChange3 - PPDisplayChange0 == 3);
// The language by its tag: 0 Japanese, 1 English.
static_assert(PPLanguage1 - PPLanguage0 == 1);

inline constexpr std::size_t kTrayMenuItemCount = kTrayMenuEnd - PPStop;
inline constexpr std::int32_t kStopHotKeyIndex = 1;

enum class TrayItemKind { Command, Check, Radio, Submenu, Separator };

struct TrayMenuItemDef {
  TrayMenuId id;
  UiText text;  // the Windows 10 caption where it depends on the version; none for a separator
  TrayItemKind kind;
  TrayMenuId parent;  // 0 for the top level
  int groupIndex;     // radio group, 0 for none
  int tag;
  bool autoCheck;  // flips its own check mark before the click handler runs
  bool isDefault;  // the bold item a double-click on the icon performs
};

inline constexpr TrayMenuId kTopLevel = static_cast<TrayMenuId>(0);
inline constexpr UiText kNoText = UiText::Count;

inline constexpr TrayMenuItemDef kTrayMenu[] = {
    {PPStop, UiText::Stop, TrayItemKind::Check, kTopLevel, 0, 0, true, true},
    {PPConfig, UiText::Settings, TrayItemKind::Command, kTopLevel, 0, 0, false, false},
    {PPMoveWindowSpeed, UiText::InertialMove, TrayItemKind::Check, kTopLevel, 0, 0, true, false},
    {PPDispDialog, UiText::DisplayChangeDialog, TrayItemKind::Check, kTopLevel, 0, 0, true, false},
    {PPReturnWindows, UiText::ReturnWindows, TrayItemKind::Check, kTopLevel, 0, 0, true, false},
    {PPSignIn, UiText::StartAtSignIn, TrayItemKind::Check, kTopLevel, 0, 0, false, false},
    {PPAdminQ, UiText::OneShotAdmin, TrayItemKind::Command, kTopLevel, 0, 0, false, false},
    {N1, kNoText, TrayItemKind::Separator, kTopLevel, 0, 0, false, false},
    {PPConstraints, UiText::MinimumSize, TrayItemKind::Submenu, kTopLevel, 0, 0, false, false},
    {PPConstraints0, UiText::MinimumSizeNone, TrayItemKind::Radio, PPConstraints, 1, 0, false,
     false},
    {PPConstraints1, UiText::MinimumSizeHalf, TrayItemKind::Radio, PPConstraints, 1, 1, false,
     false},
    {PPConstraints2, UiText::MinimumSizeThird, TrayItemKind::Radio, PPConstraints, 1, 2, false,
     false},
    {PPConstraints3, UiText::MinimumSizeQuarter, TrayItemKind::Radio, PPConstraints, 1, 3, false,
     false},
    {CHKDragfullwindows, UiText::ShowContentsWhileDragging, TrayItemKind::Check, kTopLevel, 0, 0,
     true, false},
    {PPDisplayChange, UiText::DisplayMode, TrayItemKind::Submenu, kTopLevel, 0, 0, false, false},
    {PPDisplayChange0, kDisplayModeCaptions10[0], TrayItemKind::Command, PPDisplayChange, 0, 0,
     false, false},
    {PPDisplayChange1, kDisplayModeCaptions10[1], TrayItemKind::Command, PPDisplayChange, 0, 1,
     false, false},
    {PPDisplayChange2, kDisplayModeCaptions10[2], TrayItemKind::Command, PPDisplayChange, 0, 2,
     false, false},
    {PPDisplayChange3, kDisplayModeCaptions10[3], TrayItemKind::Command, PPDisplayChange, 0, 3,
     false, false},
    {N2, kNoText, TrayItemKind::Separator, kTopLevel, 0, 0, false, false},
    {PPLanguage, UiText::LanguageMenu, TrayItemKind::Submenu, kTopLevel, 0, 0, false, false},
    {PPLanguage0, UiText::LanguageJapanese, TrayItemKind::Radio, PPLanguage, 2, 0, false, false},
    {PPLanguage1, UiText::LanguageEnglish, TrayItemKind::Radio, PPLanguage, 2, 1, false, false},
    {PPClose, UiText::Exit, TrayItemKind::Command, kTopLevel, 0, 0, false, false},
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

// What the commands need of the program around the menu: the main window, which owns what
// they start, and the close.
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

inline constexpr char16_t kHintRunning[] = u"Rimfold";  // the same in every language

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
  void PPLanguageClick(int tag);
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
  // Every caption in the language now in force, and the language's radio item.
  void refreshCaptions();
  // The language chosen, or the one the settings named; Japanese when neither.
  Language language() const { return language_.value_or(Language::Japanese); }
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
  std::optional<Language> language_;  // unset until chosen, unless Rimfold.ini names one
  const DisplayModeTexts* displayModes_ = &kDisplayModeCaptions10;
};

}  // namespace rimfold::app
