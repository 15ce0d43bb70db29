// The configuration dialog's control and menu ids.
#pragma once

namespace rimfold::shell {

// Control ids. The pages, toolbars and group boxes carry ids too, so that one table names
// every part of the dialog. Each value is written out: the desktop suite reads them from
// here (tests/desktop/lib.sh), and a control added must not move the others.
enum ConfigControlId : int {
  PageControl = 1000,
  TabSheetExe = 1001,
  ToolBarExe = 1002,
  GroupBoxE = 1003,
  ListBoxE = 1004,
  Splitter = 1005,
  GroupBoxD = 1006,
  ListBoxD = 1007,
  TabSheetWorkArea = 1008,
  ToolBarWorkArea = 1009,
  GroupBox3 = 1010,
  CBMonitor = 1011,
  GroupBoxTop = 1012,
  EditTop = 1013,
  GroupBoxLeft = 1014,
  EditLeft = 1015,
  GroupBoxRight = 1016,
  EditRight = 1017,
  GroupBoxBottom = 1018,
  EditBottom = 1019,
  CHKMessage = 1020,
  TabSheetHotkey = 1021,
  ToolBar1 = 1022,
  GroupBox8 = 1023,
  EditKeyStop = 1024,
  // Toolbar buttons.
  TBExeAdd = 1100,
  TBExeDel = 1101,
  TBListEClear = 1102,
  TBMAXDisable = 1103,
  TBDisableDeskTop = 1104,
  TBExeClose = 1105,
  TBWorkAreaDef = 1106,
  TBWorkAreaApply = 1107,
  TBWorkAreaClose = 1108,
  TBHotKeyClose = 1109,
  // PPMenuDef.
  PPDefBorder = 1200,
  PPDefBorder1 = 1201,
  PPDefBorder9 = PPDefBorder1 + 8,
};

}  // namespace rimfold::shell
