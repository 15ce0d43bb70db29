# desktop: shell dpi144
# fresh: yes
# At 150 % display scaling (144 DPI): the dialog's pages laid out at 1.5 times their design
# positions and sizes, with its minimum size to match; the tray icon and its menu drawn at
# the shell's size; windows corrected into the work area as read, never assumed.
require_rimfold
require_xdotool
printf 'w|Moved|RfCase|00CF0000|0|1700,900,400,300|\n' >"$CASE_DIR/windows.txt"
windows_start "$CASE_DIR/windows.txt"
w="$(report_hwnd w)"
start_resident
expect_tray running 5000
read -r l t r b <<<"$(ctl tray-tip-rects | awk -F'\t' '$2 == "Rimfold" { print $1; exit }')"
check_eq "the tray icon's place (the shell's 24-pixel icons)" 28 "$((r - l))"
shot tray
open_tray_menu
check_eq "menu rows" 11 "$(menu_rows "$MENU_HWND" | wc -l)"
shot menu
xdotool mousemove 300 300 click 1
wait_menu_gone 2000

read -r wl wt wr wb <<<"$(ctl workarea)"
windows_send foreground w
wait_rect "corrected into the work area" "$w" "$((wr - 400)) $((wb - 300)) $wr $wb" 3000

open_config
activate_config
offset() {  # a control's left top width height, from another control's top-left corner
  local l t r b bl bt br bb
  read -r l t r b <<<"$(ctl rect "$(dlg "$1")")"
  read -r bl bt br bb <<<"$(ctl rect "$(dlg "$2")")"
  echo "$((l - bl)) $((t - bt)) $((r - l)) $((b - t))"
}
keys alt+k
eventually "the work-area page" 1 dialog_page
shot workarea
# 150 % of (150, 50) 120 x 50, and of the edit's (10, 20) 100 x 21 (31.5 rounds to 32).
check_eq "GroupBoxTop in GroupBox3" "225 75 180 75" "$(offset $ID_GROUP_TOP $ID_GroupBox3)"
check_eq "EditTop in GroupBoxTop" "15 30 150 32" "$(offset $ID_EDIT_TOP $ID_GROUP_TOP)"
check_eq "the check box in GroupBox3" "218 180 195 26" "$(offset $ID_NOTIFY $ID_GroupBox3)"
check_eq "the smallest size" "653 480" "$(ctl min-track "$CONFIG")"
keys alt+p
eventually "the exclusions page" 0 dialog_page
shot exclusions
check_eq "the processed list's group box height" 150 "$(offset $ID_GROUP_E $ID_GROUP_E | cut -d' ' -f4)"
keys alt+h
eventually "the hotkey page" 2 dialog_page
shot hotkey
check_eq "GroupBox8" "5 38 360 75" "$(offset $ID_GroupBox8 $ID_TabSheetHotkey)"
read -r l t r b <<<"$(ctl rect "$CONFIG")"
keys Escape
wait_dialog_hidden 2000
# The size is kept in design units: the same file means the same dialog at any scaling.
check_eq "stored width" "$(( ((r - l) * 2 + 1) / 3 ))" "$(ini_value "$(data_dir)/WorkArea.dat" Window Width)"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
