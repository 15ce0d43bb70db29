# desktop: shell
# fresh: yes
# With "モニタの変更時ダイアログを表示" unchecked a display change shows nothing and blocks
# Rimfold for 10 s; correction resumes then. A close command, and the end of the Windows
# session, that arrive during the pause are honoured after it, with the files written.
require_rimfold
# The program's silent pause after a display change; the case's times are set against it.
PAUSE_MS=10000
# sleep_ms MS: a point further into the pause, which nothing shows: only time can tell.
sleep_ms() { sleep "$(awk -v ms="$1" 'BEGIN { print ms / 1000 }')"; }
settings_file '[Tray]\r\nDispDialog=0\r\n'
dir="$DATA_DIR"
one_window 1300,600,500,300
start_resident
wait_window Shell_TrayWnd - 1000 >/dev/null

set_mode 1280 1024
t0=$(date +%s%3N)
sleep_ms $((PAUSE_MS - 2000))  # nothing may show in it: only time can tell
check_eq "boxes during the pause" "" "$(ctl find "#32770" - 2>/dev/null)"
expect_rect "the window during the pause" "$W" "1300 600 1800 900"
while (( $(date +%s%3N) - t0 < PAUSE_MS + 500 )); do sleep 0.1; done
windows_send foreground w
wait_rect "corrected after the pause" "$W" "780 600 1280 900" 2500

# A close posted during the pause ends the program when the pause is over.
set_mode 1920 1080
t0=$(date +%s%3N)
sleep_ms 2000
rm -f "$dir/Rimfold.ini"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
sleep_ms 5000
kill -0 "$RIMFOLD_PID" 2>/dev/null || fail "ended during the pause"
wait_exit "$RIMFOLD_PID" 8000
(( $(date +%s%3N) - t0 >= PAUSE_MS - 500 )) || fail "ended before the pause was over"
check_eq "DispDialog kept" 0 "$(ini_value "$dir/Rimfold.ini" Tray DispDialog)"

# The end of the session: asked during the pause, answered after it.
start_resident
wait_started
set_mode 1280 1024
sleep_ms 2000
rm -f "$dir/Rimfold.ini"
check_eq "query-end-session answer" 1 "$(ctl query-end-session "$MAIN_HWND" 15000)"
wait_exit "$RIMFOLD_PID" 5000
[ -s "$dir/Rimfold.ini" ] || fail "Rimfold.ini not written at the end of the session"
