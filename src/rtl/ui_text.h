// Every text the user sees, in Japanese (the default, exactly as it has always been) and
// English, keyed by one enumeration: one table, a row a text, both languages in the row,
// so a text missing in one language does not build. The language is the program's one
// choice, set by the tray menu; window titles and class names the program compares
// against are not texts of this table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rimfold {

enum class Language : std::uint8_t { Japanese, English };

enum class UiText : std::uint16_t {
  // The tray menu, the tray tip and the display modes.
  Stop,
  Settings,
  InertialMove,
  DisplayChangeDialog,
  ReturnWindows,
  StartAtSignIn,
  OneShotAdmin,
  MinimumSize,
  MinimumSizeNone,
  MinimumSizeHalf,
  MinimumSizeThird,
  MinimumSizeQuarter,
  ShowContentsWhileDragging,
  DisplayMode,
  DisplayPcOnly10,
  DisplayDuplicate,
  DisplayExtend,
  DisplaySecondOnly10,
  DisplayPcOnlyBefore10,
  DisplayProjectorOnlyBefore10,
  LanguageMenu,
  LanguageJapanese,  // each language by its own name, the same in both
  LanguageEnglish,
  Exit,
  HintStopped,
  // The dialog's pages, their toolbars and boxes.
  PageExclusions,
  PageWorkArea,
  PageHotKey,
  ProcessedWindows,
  ExcludedWindows,
  Add,
  Delete,
  ClearProcessed,
  MaximizedWindows,
  WindowsNoMonitorHolds,
  Close,
  Defaults,
  Apply,
  ApplyHint,
  EdgeHint,
  EdgeTop,
  EdgeBottom,
  EdgeLeft,
  EdgeRight,
  NotifyOnChange,
  IgnoreWindowBorder,
  StopResume,
  MonitorNumber,  // followed by the monitor's number
  // The boxes.
  DisplayChangeText,
  CountdownSeconds,  // after the seconds: "Rimfold - (10秒)"
  WorkAreaQuestionCaption,
  WorkAreaQuestionHeader,
  WorkAreaNow,
  WorkAreaSetting,
  Count
};

inline constexpr std::size_t kUiTextCount = static_cast<std::size_t>(UiText::Count);

// The language the texts are given in now; Japanese until the user chooses.
Language uiLanguage() noexcept;
void setUiLanguage(Language language) noexcept;

// The text in the language now in force, or in the one given.
const char16_t* uiText(UiText id) noexcept;
const char16_t* uiText(UiText id, Language language) noexcept;

}  // namespace rimfold
