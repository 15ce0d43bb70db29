# desktop: shell
# fresh: yes
# The dialog's work-area page: the monitor and its edges, typing into the numeric edits, apply
# with the 20 % limit and with Ctrl held (windows are then kept inside the new area), the
# defaults and the presets of the drop-down menu, and an apply that stores nothing. A
# five-digit edge from a damaged file is shown whole and read-only, and the defaults
# bring the monitor back.
require_rimfold
require_xdotool
dir="$(data_dir)"
mkdir -p "$dir"
printf '[#1 (0,0) - (1920,1080) : (0,0) - (1920,1060)]\r\nRight=99999\r\n' >"$dir/WorkArea.dat"
one_window 500,100,400,300
start_resident
expect_tray running 5000
open_config
activate_config
keys alt+k
eventually "selected page" 1 dialog_page
# Ctrl+Tab and Ctrl+Shift+Tab go round the pages, as in any tabbed dialog.
keys ctrl+Tab
eventually "page after Ctrl+Tab" 2 dialog_page
keys ctrl+Tab
eventually "page after another Ctrl+Tab" 0 dialog_page
keys ctrl+shift+Tab ctrl+shift+Tab
eventually "page after Ctrl+Shift+Tab twice" 1 dialog_page
check_eq "monitors" "モニタ #1 [(0,0)-(1920,1080)]" "$(ctl items "$(dlg $ID_MONITORS)")"
check_eq "top caption" "上(&T) [0]" "$(ctl title "$(dlg $ID_GROUP_TOP)")"
check_eq "bottom caption" "下(B) [1060]" "$(ctl title "$(dlg $ID_GROUP_BOTTOM)")"
check_eq "edges from the damaged file" "0 1060 0 99999" "$(dialog_edges)"
click_button $ID_TOOLBAR_AREA $ID_DEFAULTS
eventually "edges shown" "0 1060 0 1920" dialog_edges
shot workarea

# A double-click selects the number; typing replaces it, a digit at a time.
top="$(ctl rect "$(dlg $ID_EDIT_TOP)")"
click_rect "$top" --repeat 2 --delay 80 1
keys 1 9 2 0 0
eventually "1, 9, 2, 0, 0" 1920 edit_text $ID_EDIT_TOP
keys minus
eventually "minus" -1920 edit_text $ID_EDIT_TOP
keys BackSpace
eventually "Backspace" -192 edit_text $ID_EDIT_TOP

dir="$(data_dir)"
section="#1 (0,0) - (1920,1080) : (0,0) - (1920,1060)"
click_rect "$top" --repeat 2 --delay 80 1
keys 3 0 0 alt+o
eventually "300 limited to 20 % of 1060" 212 edit_text $ID_EDIT_TOP
eventually "stored top" 212 ini_value "$dir/WorkArea.dat" "$section" Top
windows_send foreground w
wait_rect "kept below the new top" "$W" "500 212 900 512" 3000

activate_config
click_rect "$top" --repeat 2 --delay 80 1
keys 3 0 0
# Held until the apply is done: the program asks for the key's state as it applies.
xdotool keydown ctrl
click_button $ID_TOOLBAR_AREA $ID_APPLY
eventually "stored top with Ctrl" 300 ini_value "$dir/WorkArea.dat" "$section" Top
xdotool keyup ctrl
check_eq "300 with Ctrl held" 300 "$(edit_text $ID_EDIT_TOP)"
windows_send move w 500 250 400 300
windows_send foreground w
wait_rect "kept below the top set with Ctrl" "$W" "500 300 900 600" 3000

activate_config
keys alt+f
eventually "defaults" "0 1060 0 1920" dialog_edges
eventually "stored defaults" 0 ini_value "$dir/WorkArea.dat" "$section" Top

# The drop-down menu: its rows are the border preset, then 1 .. 9 pixels.
preset() {  # ROW "EDGES": the row chosen, then until the edits show those edges
  local l t r b i
  read -r l t r b <<<"$(ctl button-rect "$(dlg $ID_TOOLBAR_AREA)" $ID_DEFAULTS)"
  xdotool mousemove $((r - 4)) $(( (t + b) / 2 )) click 1
  MENU_HWND="$(ctl wait-find "#32768" - 3000)" || fail "no preset menu"
  wait_menu_painted "$MENU_HWND"
  [ "$1" = 3 ] && shot presets
  menu_click "$MENU_HWND" "$1"
  eventually "the edits after preset row $1" "$2" dialog_edges
}
preset 3 "-3 1063 -3 1923"
check_eq "3-pixel preset" "-3 1063 -3 1923" "$(dialog_edges)"
# SPI_GETBORDER is 1 on this (Windows 7) prefix.
preset 0 "-1 1061 -1 1921"
check_eq "border preset" "-1 1061 -1 1921" "$(dialog_edges)"
check_eq "stored border preset" 1921 "$(ini_value "$dir/WorkArea.dat" "$section" Right)"

# A number with a point is not an edge: nothing is stored, and the failure is logged.
click_rect "$top" --repeat 2 --delay 80 1
keys period 5 alt+o
# The log line is the apply's one sign; then what it must have left alone.
eventually "the failed apply logged" 1 grep -c "not a valid integer" "$dir/Rimfold_Error.log"
check_eq "the edit keeps what was typed" 0.5 "$(edit_text $ID_EDIT_TOP)"
check_eq "nothing stored" -1 "$(ini_value "$dir/WorkArea.dat" "$section" Top)"
keys Escape
wait_dialog_hidden 2000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
