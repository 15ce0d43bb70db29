# desktop: shell
# fresh: yes
# The dialog's hotkey page and its size: Ctrl+Alt+S pressed in the edit becomes the stop
# hotkey at the close, Tab and Ctrl+Tab move on rather than becoming it, Esc empties it
# (no hotkey then); the close box saves as the close
# button does; the dialog cannot be made smaller than 435 x 320 (its toolbar wrapping there),
# the processed list not lower than 101; size and list height come back at the next start.
require_rimfold
require_xdotool
settings_file '[Key]\r\nStop=\r\n'
dir="$DATA_DIR"
start_resident
expect_tray running 5000
open_config
activate_config
keys alt+h
eventually "the hotkey page" 2 dialog_page
click_rect "$(ctl rect "$(dlg $ID_EDIT_KEY)")"
keys ctrl+alt+s
eventually "Ctrl+Alt+S pressed" "Ctrl+Alt+S" edit_text $ID_EDIT_KEY
shot hotkey
keys s
eventually "S alone" "" edit_text $ID_EDIT_KEY
keys ctrl+alt+s
# Tab keys navigate, as everywhere else, and are never taken as the hotkey.
keys ctrl+Tab
eventually "page after Ctrl+Tab in the edit" 0 dialog_page
keys alt+h
eventually "the hotkey page again" 2 dialog_page
click_rect "$(ctl rect "$(dlg $ID_EDIT_KEY)")"
# The edit shows Ctrl+Alt+S already: the page turned by Ctrl+Tab at the end shows that the
# keys before it have been handled.
keys ctrl+alt+s Tab s ctrl+Tab
eventually "page after Tab, S and Ctrl+Tab" 0 dialog_page
check_eq "Tab, then S, outside the edit" "Ctrl+Alt+S" "$(edit_text $ID_EDIT_KEY)"
keys alt+h
eventually "the hotkey page for its close button" 2 dialog_page
click_button $ID_TOOLBAR_KEY $ID_KEY_CLOSE
wait_dialog_hidden 2000
wait_hotkey_taken 3 0x53 3000
xdotool key ctrl+alt+s
expect_tray stopped 2000
xdotool key ctrl+alt+s
expect_tray running 2000
by_button="$(cat "$dir/WorkArea.dat")"

# Esc empties the edit; the close box closes (and saves) as the button does.
open_config
activate_config
click_rect "$(ctl rect "$(dlg $ID_EDIT_KEY)")"
keys Escape
eventually "Esc" "" edit_text $ID_EDIT_KEY
read -r l t r b <<<"$(ctl rect "$CONFIG")"
xdotool mousemove $((r - 12)) $((t + 11)) click 1
wait_dialog_hidden 2000
check_eq "WorkArea.dat after the close box" "$by_button" "$(cat "$dir/WorkArea.dat")"
ctl hotkey-taken 3 0x53 && fail "a hotkey is still registered after Esc"

# The smallest size, and the processed list's height by the splitter.
open_config
activate_config
keys alt+p
eventually "the exclusions page" 0 dialog_page
# size_becomes "W H": until the dialog has that outer size (the drag's end applied).
size_becomes() {
  local i l t r b
  for ((i = 0; i < 3000; i += 50)); do
    read -r l t r b <<<"$(ctl rect "$CONFIG")"
    [ "$((r - l)) $((b - t))" = "$1" ] && return 0
    sleep 0.05
  done
}
read -r l t r b <<<"$(ctl rect "$CONFIG")"
xdotool mousemove $((r - 2)) $((b - 2)) mousedown 1 mousemove $((r - 50)) $((b - 50)) sleep 0.2 \
  mousemove $((l + 50)) $((t + 50)) sleep 0.3 mouseup 1
size_becomes "435 320"
read -r l t r b <<<"$(ctl rect "$CONFIG")"
check_eq "smallest size" "435 320" "$((r - l)) $((b - t))"
# The exclusions toolbar wraps: its last button is still inside it.
read -r bl bt br bb <<<"$(ctl button-rect "$(dlg $ID_TOOLBAR_EXE)" $ID_EXE_CLOSE)"
read -r tl tt tr tb <<<"$(ctl rect "$(dlg $ID_TOOLBAR_EXE)")"
(( br <= tr && bb <= tb )) || fail "閉じる(&C) at $bl $bt $br $bb, outside its toolbar $tl $tt $tr $tb"
shot narrowest
# Wide enough for one row of buttons again, still at the lowest height.
xdotool mousemove $((r - 2)) $(( (t + b) / 2 )) mousedown 1 mousemove $((r + 100)) $(( (t + b) / 2 )) \
  sleep 0.2 mousemove $((r + 298)) $(( (t + b) / 2 )) sleep 0.3 mouseup 1
size_becomes "735 320"
read -r l t r b <<<"$(ctl rect "$CONFIG")"
check_eq "widened" "735 320" "$((r - l)) $((b - t))"
group_height() { read -r l t r b <<<"$(ctl rect "$(dlg $ID_GROUP_E)")"; echo $((b - t)); }
# drag_splitter DY HEIGHT: the splitter dragged by DY, then until the processed list is
# HEIGHT high; when that is its height already, only time can tell that it stays.
drag_splitter() {
  local l t r b y i before
  before="$(group_height)"
  read -r l t r b <<<"$(ctl rect "$(dlg $ID_SPLITTER)")"
  y=$(( (t + b) / 2 ))
  # The pauses inside the gesture pace it as a hand would; they wait for nothing.
  xdotool mousemove $((l + 100)) $y mousedown 1 mousemove $((l + 100)) $((y + $1 / 2)) sleep 0.1 \
    mousemove $((l + 100)) $((y + $1)) sleep 0.2 mouseup 1
  if [ "$2" = "$before" ]; then quiet_wait; return; fi
  for ((i = 0; i < 3000; i += 50)); do [ "$(group_height)" = "$2" ] && return; sleep 0.05; done
}
check_eq "processed list as designed" 100 "$(group_height)"
drag_splitter 20 120
check_eq "processed list after the drag" 120 "$(group_height)"
drag_splitter -15 105
check_eq "processed list dragged up" 105 "$(group_height)"
drag_splitter -10 105
check_eq "processed list not below 101" 105 "$(group_height)"
shot smallest
keys Escape
wait_dialog_hidden 2000
check_eq "stored width" 735 "$(ini_value "$dir/WorkArea.dat" Window Width)"
check_eq "stored height" 320 "$(ini_value "$dir/WorkArea.dat" Window Height)"
check_eq "stored list height" 105 "$(ini_value "$dir/WorkArea.dat" Window GroupBoxE)"

ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
start_resident
expect_tray running 5000
open_config
read -r l t r b <<<"$(ctl rect "$CONFIG")"
check_eq "size at the next start" "735 320" "$((r - l)) $((b - t))"
check_eq "list height at the next start" 105 "$(group_height)"
keys Escape
wait_dialog_hidden 2000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000

# A stored height taller than the page (a damaged file, or one saved at another scale):
# the exclusions keep their 100 units, and the limited height is what is saved.
sed -i 's/^GroupBoxE=.*/GroupBoxE=5000\r/' "$dir/WorkArea.dat"
start_resident
expect_tray running 5000
open_config
read -r l t r b <<<"$(ctl rect "$(dlg $ID_LIST_D)")"
(( b - t >= 80 )) || fail "the exclusion list is $((b - t)) px high"
limited="$(group_height)"
keys Escape
wait_dialog_hidden 2000
check_eq "stored list height" "$limited" "$(ini_value "$dir/WorkArea.dat" Window GroupBoxE)"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
