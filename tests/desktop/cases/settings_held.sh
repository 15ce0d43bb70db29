# desktop: shell
# fresh: yes
# Rimfold.ini held open without sharing by another program (a backup or sync tool).
# Held through the start: the defaults apply, it is logged once, and the user's file is
# never written over, not even at a close after the other program let go. Held at a
# close: the close still completes (WM_QUERYENDSESSION answers TRUE and the process
# ends), and /Q ends too.
require_rimfold
settings_file '[Tray]\r\nStop=1\r\nMoveWindowSpeed=1\r\n\r\n[Key]\r\nStop=Ctrl+Alt+F9\r\n\r\n'
dir="$DATA_DIR"
md5sum "$dir/Rimfold.ini" >"$CASE_DIR/sums"
log="$dir/Rimfold_Error.log"

hold_file "$dir/Rimfold.ini" 6000
start_resident
wait_started
wait_exit "$HOLD_PID" 15000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
md5sum -c --quiet "$CASE_DIR/sums" || fail "Rimfold.ini unreadable at the start was written over"
check_eq "log lines about Rimfold.ini" 1 "$(grep -c 'Rimfold.ini cannot be read' "$log")"

rm -f "$log"
start_resident
wait_started
hold_file "$dir/Rimfold.ini" 30000
check_eq "answer to WM_QUERYENDSESSION" 1 "$(ctl query-end-session "$MAIN_HWND" 5000)"
wait_exit "$RIMFOLD_PID" 5000
check_eq "log lines about Rimfold.ini" 1 "$(grep -c 'Rimfold.ini' "$log")"

run_oneshot
md5sum -c --quiet "$CASE_DIR/sums" || fail "Rimfold.ini held at a close was written over"
