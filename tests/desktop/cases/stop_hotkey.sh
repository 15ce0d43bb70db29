# desktop: shell
# fresh: yes
# The stop/resume hotkey from Rimfold.ini (Ctrl+Alt+S, keys sent with xdotool) toggles the
# stop state: while stopped an off-screen window stays, after the second press it is
# corrected; the state at close is written back. A text that names no key registers nothing.
require_rimfold
require_xdotool
settings_file '[Tray]\r\nStop=0\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n'
dir="$DATA_DIR"
one_window 500,300,400,300
w="$W"
start_resident
wait_hotkey_taken 3 0x53 3000

xdotool key ctrl+alt+s
expect_tray stopped 3000
windows_send move w 1800 300 400 300
windows_send foreground w
quiet_wait
expect_rect "off-screen window while stopped by the hotkey" "$w" "1800 300 2200 600"

xdotool key ctrl+alt+s
expect_tray running 3000
windows_send foreground w
windows_send create "n|New|RfCase|00CF0000|0|600,600,200,100|"
wait_rect "corrected after resuming" "$w" "1520 300 1920 600" 3000

xdotool key ctrl+alt+s
expect_tray stopped 3000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
grep -q $'^Stop=1\r$' "$dir/Rimfold.ini" || fail "stop state not written: $(tr '\r\n' '  ' <"$dir/Rimfold.ini")"
grep -q $'^Stop=Ctrl+Alt+S\r$' "$dir/Rimfold.ini" || fail "hotkey text not kept"

# A hotkey text that does not parse registers nothing and is kept as it was.
settings_file '[Tray]\r\nStop=0\r\n[Key]\r\nStop=Ctrl+Nonsense\r\n'
start_resident
expect_tray running 5000
wait_started  # past the start, where a parsable text would have been registered
ctl hotkey-taken 3 0x53 && fail "an unparsable text registered a hotkey"
xdotool key ctrl+alt+s
quiet_wait  # it must not stop: only time can tell
expect_tray running 500
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
grep -q $'^Stop=0\r$' "$dir/Rimfold.ini" || fail "an unparsable hotkey changed the state"
grep -q $'^Stop=Ctrl+Nonsense\r$' "$dir/Rimfold.ini" || fail "the unparsable text was not kept"
