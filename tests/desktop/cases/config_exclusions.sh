# desktop: shell
# fresh: yes
# The dialog's exclusions page: opened from the tray menu, centred, with a taskbar button,
# while the tray opens no menu; a corrected window's keys in the processed list, its class
# key added to the exclusions (the window is then left alone), delete and clear, a window
# corrected meanwhile appearing at once, and the two switches stored at the close.
require_rimfold
require_xdotool
printf 'w|Moved|RfCase|00CF0000|0|1700,300,400,300|\nv|Other|RfOther|00CF0000|0|300,300,400,300|\n' \
  >"$CASE_DIR/windows.txt"
windows_start "$CASE_DIR/windows.txt"
w="$(report_hwnd w)" v="$(report_hwnd v)"
start_resident
expect_tray running 5000
windows_send foreground w
wait_rect "the window off the right edge" "$w" "1520 300 1920 600" 3000

buttons_before="$(ctl taskbar-buttons)"
open_tray_menu
menu_click "$MENU_HWND" 1
CONFIG="$(ctl wait-find TConfigForm Rimfold 3000)" || fail "the dialog did not show"
read -r l t r b <<<"$(ctl rect "$CONFIG")"
# Centred on the screen to the pixel (an odd margin is split down).
check_eq "centred" "$(( (1920 - (r - l)) / 2 )) $(( (1080 - (b - t)) / 2 ))" "$l $t"
check_eq "taskbar buttons with the dialog" "$((buttons_before + 1))" "$(ctl taskbar-buttons)"
tray_click 3
expect_no_menu 800

activate_config
check_eq "processed list" "RF_WINDOWS.EXE,RfCase,Moved|RF_WINDOWS.EXE,RfCase,|RF_WINDOWS.EXE," \
  "$(ctl items "$(dlg $ID_LIST_E)" | paste -sd'|')"
check_eq "add before a selection" "0 0" "$(button_state $ID_TOOLBAR_EXE $ID_ADD)"
click_rect "$(ctl item-rect "$(dlg $ID_LIST_E)" 1)"
eventually "add with the class key selected" "1 0" button_state $ID_TOOLBAR_EXE $ID_ADD
keys alt+a
exclusions() { ctl items "$(dlg $ID_LIST_D)"; }
eventually "exclusions after the add" "RF_WINDOWS.EXE,RfCase," exclusions
shot exclusions

# Excluded: moved off-screen again and pointed at (which lets the sweep reach it), it stays.
nudge_w() {
  windows_send event w 0x800B
  xdotool mousemove 1850 450
}
windows_send move w 1750 300 400 300
nudge_w
quiet_wait
expect_rect "the excluded window" "$w" "1750 300 2150 600"

# Delete it again: corrected once more.
activate_config
click_rect "$(ctl item-rect "$(dlg $ID_LIST_D)" 0)"
eventually "delete with an exclusion selected" "1 0" button_state $ID_TOOLBAR_EXE $ID_DEL
keys alt+d
eventually "exclusions after the delete" "" exclusions
check_eq "delete after the delete" "0 0" "$(button_state $ID_TOOLBAR_EXE $ID_DEL)"
nudge_w
wait_rect "the same nudge, no longer excluded" "$w" "1520 300 1920 600" 3000

# Clear, then a window corrected while the dialog is open shows at once.
activate_config
keys alt+r
eventually "processed list after the clear" "" ctl items "$(dlg $ID_LIST_E)"
check_eq "clear after the clear" "0 0" "$(button_state $ID_TOOLBAR_EXE $ID_CLEAR)"
windows_send move v -200 300 400 300
windows_send foreground v
wait_rect "the other window off the left edge" "$v" "0 300 400 600" 3000
check_eq "processed list while open" "RF_WINDOWS.EXE,RfOther,Other" \
  "$(ctl items "$(dlg $ID_LIST_E)" | head -n 1)"
check_eq "clear enabled again" "1 0" "$(button_state $ID_TOOLBAR_EXE $ID_CLEAR)"

# The two switches: maximized windows corrected, windows on no monitor left alone.
activate_config
click_button $ID_TOOLBAR_EXE $ID_MAX
click_button $ID_TOOLBAR_EXE $ID_DESKTOP
eventually "desktop switch" "1 1" button_state $ID_TOOLBAR_EXE $ID_DESKTOP
check_eq "maximized switch" "1 0" "$(button_state $ID_TOOLBAR_EXE $ID_MAX)"
windows_send move v 2500 300 400 300
windows_send foreground v
quiet_wait
expect_rect "a window on no monitor, the switch down" "$v" "2500 300 2900 600"
activate_config
keys Escape
wait_dialog_hidden 2000
check_eq "taskbar buttons after the close" "$buttons_before" "$(ctl taskbar-buttons)"
dir="$(data_dir)"
check_eq "MAX/Disable" 0 "$(ini_value "$dir/WorkArea.dat" MAX Disable)"
check_eq "DeskTop/Disable" 1 "$(ini_value "$dir/WorkArea.dat" DeskTop Disable)"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
