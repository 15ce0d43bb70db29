# desktop: shell
# fresh: yes
# The notification-area icon: its tooltip and picture, the menu opening on a right-click
# and closing on a click elsewhere, a double-click and the hotkey toggling the stop state,
# the icon coming back after a shell restart, and gone after the close command.
require_rimfold
require_xdotool
settings_file '[Tray]\r\nStop=0\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n'
start_resident
wait_hotkey_taken 3 0x53 3000
expect_tray running 5000
xdotool mousemove "$TRAY_X" "$TRAY_Y"
ctl wait-find tooltips_class32 - 3000 >/dev/null || fail "no tooltip over the icon"
shot tooltip

open_tray_menu
rows=($(menu_rows "$MENU_HWND"))
# Eleven rows of text: the elevated command is hidden (Wine runs elevated).
check_eq "rows of the menu" 11 "${#rows[@]}"
shot menu
xdotool mousemove 400 400 click 1
for ((i = 0; i < 2000; i += 50)); do [ -z "$(menu_window)" ] && break; sleep 0.05; done
[ -z "$(menu_window)" ] || fail "the menu stayed open after a click elsewhere"
expect_tray running 1000

tray_click 1 2
expect_tray stopped 2000
tray_click 1 2
expect_tray running 2000

xdotool key ctrl+alt+s
expect_tray stopped 2000
shot stopped

# Shell restart: the entry is lost, then "TaskbarCreated" brings it back as it was.
handler="$(ctl find TTrayIconHandler -)" || fail "no tray handler window"
ctl tray-delete-own "$handler" || fail "the icon could not be deleted"
wait_no_tray_tip "Rimfold - 停止" 2000
ctl taskbar-created || fail "no broadcast"
expect_tray stopped 3000
xdotool key ctrl+alt+s
expect_tray running 2000

ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
[ -z "$(ctl tray-tips)" ] || fail "icons left after the close: $(ctl tray-tips | tr '\n' '|')"
