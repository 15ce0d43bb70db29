#include "settings/settings_file.h"

namespace rimfold {

namespace {

constexpr char16_t kTray[] = u"Tray";
constexpr char16_t kKey[] = u"Key";
constexpr char16_t kStop[] = u"Stop";
constexpr char16_t kDispDialog[] = u"DispDialog";
constexpr char16_t kMoveWindowSpeed[] = u"MoveWindowSpeed";
constexpr char16_t kReturnWindows[] = u"ReturnWindows";
constexpr char16_t kConstraints[] = u"Constraints";
constexpr char16_t kLanguage[] = u"Language";
constexpr char16_t kJapanese[] = u"ja";
constexpr char16_t kEnglish[] = u"en";

constexpr std::int32_t kConstraintLevels = 4;

}  // namespace

TraySettings readTraySettings(const IniFile& ini) {
  const TraySettings defaults;
  TraySettings s;
  s.HotKeyStop = ini.readString(kKey, kStop, defaults.HotKeyStop);
  s.Stop = ini.readBool(kTray, kStop, defaults.Stop);
  s.DispDialog = ini.readBool(kTray, kDispDialog, defaults.DispDialog);
  s.MoveWindowSpeed = ini.readBool(kTray, kMoveWindowSpeed, defaults.MoveWindowSpeed);
  s.ReturnWindows = ini.readBool(kTray, kReturnWindows, defaults.ReturnWindows);
  s.Constraints = ini.readInteger(kTray, kConstraints, defaults.Constraints);
  // The level indexes the four menu items, so a hand-edited value must not escape 0..3.
  if (s.Constraints < 0 || s.Constraints >= kConstraintLevels) {
    s.Constraints = 0;
  }
  const std::u16string language = ini.readString(kTray, kLanguage, u"");
  if (language == kJapanese) s.language = Language::Japanese;
  if (language == kEnglish) s.language = Language::English;
  return s;
}

void writeTraySettings(IniFile& ini, const TraySettings& s) {
  ini.writeInteger(kTray, kConstraints, s.Constraints);
  ini.writeString(kKey, kStop, s.HotKeyStop);
  ini.writeBool(kTray, kStop, s.Stop);
  ini.writeBool(kTray, kDispDialog, s.DispDialog);
  ini.writeBool(kTray, kMoveWindowSpeed, s.MoveWindowSpeed);
  ini.writeBool(kTray, kReturnWindows, s.ReturnWindows);
  if (s.language) {
    ini.writeString(kTray, kLanguage, *s.language == Language::English ? kEnglish : kJapanese);
  }
}

}  // namespace rimfold
