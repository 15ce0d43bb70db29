# desktop: shell
# fresh: yes
# win32: yes
# The tray menu's commands with real clicks: the drag-full-windows item shows and sets the
# system value, check and radio choices are written at close and restored at the next
# start (a stopped state shows the stop icon at once), and while the configuration dialog
# is open the icon ignores the mouse and the hotkey is given up.
require_rimfold
require_xdotool
# Rows of the menu as Wine shows it (the elevated command is hidden there).
ROW_STOP=0 ROW_CONFIG=1 ROW_SPEED=2 ROW_DIALOG=3 ROW_RETURN=4 ROW_SIGNIN=5 ROW_LIMIT=6 ROW_DRAG=7
ROW_CLOSE=10
settings_file '[Tray]\r\nStop=0\r\nMoveWindowSpeed=0\r\nDispDialog=1\r\nConstraints=0\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n'
dir="$DATA_DIR"
start_resident
wait_hotkey_taken 3 0x53 3000
expect_tray running 5000

# Drag-full-windows follows the system, whoever changed it, both ways.
for value in 1 0; do
  ctl drag-full-windows "$value" >/dev/null || fail "could not set drag-full-windows"
  open_tray_menu
  [ "$value" = 1 ] && shot menu-drag-checked
  menu_click "$MENU_HWND" "$ROW_DRAG"
  want=$((1 - value))
  for ((i = 0; i < 2000; i += 50)); do [ "$(ctl drag-full-windows)" = "$want" ] && break; sleep 0.05; done
  check_eq "drag-full-windows after the click" "$want" "$(ctl drag-full-windows)"
done

# Start at sign-in, from the unpacked exe: the item writes the per-user entry naming it, shows
# it checked, and takes it away again.
check_eq "the sign-in entry at first" "" "$(sign_in_entry)"
open_tray_menu
menu_click "$MENU_HWND" "$ROW_SIGNIN"
wait_sign_in_entry "\"$(winpath "$RIMFOLD_EXE")\"" 3000
open_tray_menu
shot menu-sign-in
menu_click "$MENU_HWND" "$ROW_SIGNIN"
wait_sign_in_entry "" 3000

# Choices: inertial movement on, the dialog notice off, windows not put back, the limit
# 1/3, and stopped.
open_tray_menu
menu_click "$MENU_HWND" "$ROW_SPEED"
wait_menu_gone 2000
open_tray_menu
menu_click "$MENU_HWND" "$ROW_DIALOG"
wait_menu_gone 2000
open_tray_menu
menu_click "$MENU_HWND" "$ROW_RETURN"
wait_menu_gone 2000
open_tray_menu
open_submenu "$MENU_HWND" "$ROW_LIMIT"
sub=($(menu_rows "$SUBMENU_HWND"))
check_eq "rows of the limit submenu" 4 "${#sub[@]}"
shot submenu
menu_click "$SUBMENU_HWND" 2
wait_menu_gone 2000
open_tray_menu
menu_click "$MENU_HWND" "$ROW_STOP"
expect_tray stopped 2000

# The dialog: shown, the icon deaf to the mouse, the hotkey free; all back after it.
open_tray_menu
menu_click "$MENU_HWND" "$ROW_CONFIG"
config="$(ctl wait-find TConfigForm Rimfold 3000)" || fail "the dialog did not show"
shot dialog
tray_click 3
expect_no_menu 1000
# Neither may change the state: only time can tell.
tray_click 1 2
quiet_wait
expect_tray stopped 500
xdotool key ctrl+alt+s
quiet_wait
expect_tray stopped 500
ctl close "$config" || fail "WM_CLOSE not posted to the dialog"
for ((i = 0; i < 2000; i += 50)); do [ "$(ctl state "$config" | cut -d' ' -f2)" = 0 ] && break; sleep 0.05; done
check_eq "dialog hidden after its close" 0 "$(ctl state "$config" | cut -d' ' -f2)"
xdotool key ctrl+alt+s
expect_tray running 2000
tray_click 1 2
expect_tray stopped 2000

# 終了 closes the program; the choices are in Rimfold.ini.
open_tray_menu
menu_click "$MENU_HWND" "$ROW_CLOSE"
wait_exit "$RIMFOLD_PID" 5000
ini="$(tr -d '\r' <"$dir/Rimfold.ini")"
for line in Stop=1 MoveWindowSpeed=1 DispDialog=0 ReturnWindows=0 Constraints=2; do
  grep -qx "$line" <<<"$ini" || fail "Rimfold.ini lacks $line: $(tr '\n' ' ' <<<"$ini")"
done

# The next start restores them: stopped at once, and the menu shows the marks.
start_resident
expect_tray stopped 5000
open_tray_menu
shot menu-restored
open_submenu "$MENU_HWND" "$ROW_LIMIT"
shot submenu-restored
xdotool key Escape
xdotool mousemove 400 400 click 1
for ((i = 0; i < 1000; i += 50)); do [ -z "$(menu_window)" ] && break; sleep 0.05; done
[ -z "$(menu_window)" ] || xdotool mousemove 400 400 click 1
wait_menu_gone 2000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
ini="$(tr -d '\r' <"$dir/Rimfold.ini")"
for line in Stop=1 MoveWindowSpeed=1 DispDialog=0 Constraints=2; do
  grep -qx "$line" <<<"$ini" || fail "the restored run lost $line: $(tr '\n' ' ' <<<"$ini")"
done
