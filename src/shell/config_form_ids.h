// The configuration dialog's control and menu ids.
#pragma once

namespace rimfold::app {

// Control ids. The pages, toolbars and group boxes carry ids too, so that one table names
// every part of the dialog.
enum ConfigControlId : int {
  PageControl = 1000,
  TabSheetExe,
  ToolBarExe,
  GroupBoxE,
  ListBoxE,
  Splitter,
  GroupBoxD,
  ListBoxD,
  TabSheetWorkArea,
  ToolBarWorkArea,
  GroupBox3,
  CBMonitor,
  GroupBoxTop,
  EditTop,
  GroupBoxLeft,
  EditLeft,
  GroupBoxRight,
  EditRight,
  GroupBoxBottom,
  EditBottom,
  CHKMessage,
  TabSheetHotkey,
  ToolBar1,
  GroupBox8,
  EditKeyStop,
  // Toolbar buttons.
  TBExeAdd = 1100,
  TBExeDel,
  TBListEClear,
  TBMAXDisable,
  TBDisableDeskTop,
  TBExeClose,
  TBWorkAreaDef,
  TBWorkAreaApply,
  TBWorkAreaClose,
  TBHotKeyClose,
  // PPMenuDef.
  PPDefBorder = 1200,
  PPDefBorder1,
  PPDefBorder9 = PPDefBorder1 + 8,
};

}  // namespace rimfold::app
