# desktop: monitors right
# fresh: yes
# A window left off every monitor by a removed monitor (Wine, unlike Windows, does not move
# it) is corrected within a second of the pause's end, with no event of its own: the pause
# ends with a sweep over every window. Before the change the stranded window was in the
# foreground and then another one above it, whose event heads the queue that partial sweeps
# stop at.
require_rimfold
require_xdotool
command -v xrandr >/dev/null || skip "xrandr missing"
printf '%s\n' 'n|Stranded|RfCase|00CF0000|0|2000,100,400,300|' 'k|First|RfCase|00CF0000|0|100,100,400,300|' \
  >"$CASE_DIR/windows.txt"
windows_start "$CASE_DIR/windows.txt"
n="$(report_hwnd n)"
start_resident
wait_started
windows_send foreground n
windows_send foreground k
xrandr --output DUMMY1 --off >/dev/null 2>&1 || fail "xrandr could not remove the second output"
monitor_count 1
display_changed
wait_rect "the stranded window on the monitor left" "$n" "1520 100 1920 400" 1000
