# desktop: shell
# fresh: yes
# A stored stop state suspends the sweeps: an off-screen window is left where it is,
# and the state is written back at close.
require_rimfold
settings_file '[Tray]\r\nStop=1\r\n'
dir="$DATA_DIR"
one_window 500,300,400,300
w="$W"
start_resident
windows_send move w 1800 300 400 300
windows_send foreground w
windows_send create "n|New|RfCase|00CF0000|0|-100,100,300,200|"
quiet_wait
expect_rect "moved window while stopped" "$w" "1800 300 2200 600"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
grep -q $'^Stop=1\r$' "$dir/Rimfold.ini" || fail "stop state not kept: $(tr '\r\n' '  ' <"$dir/Rimfold.ini")"
