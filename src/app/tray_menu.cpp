#include "app/tray_menu.h"

#include "widgets/model/shortcut_text.h"
#include "engine/window_ops.h"
#include "system/elevation.h"
#include "system/sign_in.h"

namespace rimfold::app {

TrayMenu::TrayMenu(Platform& p, ITrayMenuHost& host, IConfigDialog& dialog, TCoolTrayIcon& trayIcon,
                   THookHotKey& hotKey, TrayIcons icons, const TraySettings& settings,
                   const SystemTraits& system)
    : p_(p),
      host_(host),
      dialog_(dialog),
      trayIcon_(trayIcon),
      hotKey_(hotKey),
      icons_(icons),
      system_(system) {
  language_ = settings.language;
  setUiLanguage(language());
  refreshCaptions();
  state(PPStop).checked = settings.Stop;
  state(PPDispDialog).checked = settings.DispDialog;
  state(PPReturnWindows).checked = settings.ReturnWindows;
  state(PPMoveWindowSpeed).checked = settings.MoveWindowSpeed;
  // A stored level outside 0..3 would index past the radio group: it counts as none.
  MPPConstraintsC =
      settings.Constraints >= 0 && settings.Constraints <= 3 ? settings.Constraints : 0;
  MHotKeyStop = settings.HotKeyStop;
  hotKey_.Activate = false;
  hotKey_.OnHotKey = [this](THookHotKey& sender, std::int32_t index) {
    HookHotKeyHotKey(sender, index);
  };
}

void TrayMenu::registerStopHotKey() {
  // A combination another program holds stays unregistered, and a text that names no key
  // registers nothing (RegisterHotKey would take "no key" as a hotkey); either way the text
  // is kept and saved.
  if (MHotKeyStop.empty()) return;
  if (const std::uint16_t key = TextToShortCut(p_.input, MHotKeyStop); key != 0) {
    hotKey_.Add(kStopHotKeyIndex, key);
  }
}

void TrayMenu::setUp() {
  registerStopHotKey();
  if (checked(PPStop)) PPStopClick();
  checkRadio(static_cast<TrayMenuId>(PPConstraints0 + MPPConstraintsC));

  state(PPDisplayChange).visible = displayChangeVisible(p_.system);
  displayModes_ = &displayModeCaptions(p_.system);
  refreshCaptions();
  state(PPAdminQ).visible = adminQOffered(p_, system_.UACEnabled);
  readSignIn();
}

void TrayMenu::refreshCaptions() {
  for (const TrayMenuItemDef& d : kTrayMenu) {
    state(d.id).caption = d.text == kNoText ? u"-" : uiText(d.text);
  }
  for (int i = 0; i < kDisplayModeCount; ++i) {
    state(static_cast<TrayMenuId>(PPDisplayChange0 + i)).caption =
        uiText((*displayModes_)[static_cast<std::size_t>(i)]);
  }
  checkRadio(language() == Language::English ? PPLanguage1 : PPLanguage0);
}

void TrayMenu::PPLanguageClick(int tag) {
  language_ = tag == 1 ? Language::English : Language::Japanese;
  setUiLanguage(*language_);
  refreshCaptions();
  // The tip now; the boxes and the dialog as they are shown next.
  trayIcon_.setHint(checked(PPStop) ? uiText(UiText::HintStopped) : kHintRunning);
}

void TrayMenu::readSignIn() {
  state(PPSignIn).checked = startsAtSignIn(p_.system, p_.system.getModuleFileName());
}

void TrayMenu::PPSignInClick() {
  // A refused change leaves the check showing what the registry holds.
  setStartAtSignIn(p_.system, p_.system.getModuleFileName(), !checked(PPSignIn));
  readSignIn();
}

bool TrayMenu::shown(int id) const {
  if (id < PPStop || id >= kTrayMenuEnd) return false;
  const auto item = static_cast<TrayMenuId>(id);
  if (!visible(item)) return false;
  const TrayMenuId parent = trayMenuItem(item).parent;
  return parent == kTopLevel || shown(parent);
}

void TrayMenu::checkRadio(TrayMenuId id) {
  const int group = trayMenuItem(id).groupIndex;
  for (const TrayMenuItemDef& d : kTrayMenu) {
    if (d.kind == TrayItemKind::Radio && d.groupIndex == group) state(d.id).checked = d.id == id;
  }
}

void TrayMenu::click(TrayMenuId id) {
  if (id < PPStop || id >= kTrayMenuEnd) return;
  const TrayMenuItemDef& d = trayMenuItem(id);
  if (d.autoCheck) state(id).checked = !state(id).checked;
  switch (id) {
    case PPStop: PPStopClick(); break;
    case PPConfig: PPConfigClick(); break;
    case PPSignIn: PPSignInClick(); break;
    case PPAdminQ: PPAdminQClick(p_, host_.mainWindow()); break;
    case PPConstraints0:
    case PPConstraints1:
    case PPConstraints2:
    case PPConstraints3: PPConstraintsClick(d.tag); break;
    case CHKDragfullwindows: CHKDragfullwindowsClick(); break;
    case PPDisplayChange0:
    case PPDisplayChange1:
    case PPDisplayChange2:
    case PPDisplayChange3:
      PPDisplayChangeClick(p_, system_.IsWow64, host_.mainWindow(), d.tag);
      break;
    case PPLanguage0:
    case PPLanguage1: PPLanguageClick(d.tag); break;
    case PPClose: PPCloseClick(); break;
    default:  // PPMoveWindowSpeed, PPDispDialog and PPReturnWindows are read where they matter
      break;
  }
}

bool TrayMenu::clickDefaultItem() {
  for (const TrayMenuItemDef& d : kTrayMenu) {
    if (d.parent == kTopLevel && d.isDefault) {
      click(d.id);
      return true;
    }
  }
  return false;
}

void TrayMenu::PPMenuPopup() {
  // Another program may have changed the system-wide setting since the last look.
  bool on = false;
  if (p_.input.getDragFullWindows(on)) state(CHKDragfullwindows).checked = on;
  readSignIn();
}

void TrayMenu::PPStopClick() {
  if (checked(PPStop)) {
    trayIcon_.setIcon(icons_.stop);
    trayIcon_.setHint(uiText(UiText::HintStopped));
  } else {
    trayIcon_.setIcon(icons_.form);
    trayIcon_.setHint(kHintRunning);
  }
  Func_ForceForeground(p_, p_.windows.getDesktopWindow());
}

void TrayMenu::HookHotKeyHotKey(THookHotKey&, std::int32_t index) {
  if (index != kStopHotKeyIndex) return;
  state(PPStop).checked = !checked(PPStop);
  PPStopClick();
}

void TrayMenu::PPConfigClick() {
  if (dialog_.visible()) return;
  if (!MHotKeyStop.empty()) hotKey_.Delete(kStopHotKeyIndex);
  trayIcon_.Enabled = false;
  MHotKeyStop = dialog_.showModal();
  trayIcon_.Enabled = true;
  registerStopHotKey();
}

void TrayMenu::PPConstraintsClick(int tag) {
  if (tag < 0 || tag > 3) return;
  MPPConstraintsC = tag;
  checkRadio(static_cast<TrayMenuId>(PPConstraints0 + tag));
}

void TrayMenu::CHKDragfullwindowsClick() {
  p_.input.setDragFullWindows(checked(CHKDragfullwindows));
}

void TrayMenu::PPCloseClick() { host_.closeMainForm(); }

TraySettings TrayMenu::settings() const {
  TraySettings s;
  s.Stop = checked(PPStop);
  s.DispDialog = checked(PPDispDialog);
  s.ReturnWindows = checked(PPReturnWindows);
  s.MoveWindowSpeed = checked(PPMoveWindowSpeed);
  s.Constraints = MPPConstraintsC;
  s.HotKeyStop = MHotKeyStop;
  s.language = language_;
  return s;
}

}  // namespace rimfold::app
