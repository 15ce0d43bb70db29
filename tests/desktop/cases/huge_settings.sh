# desktop: shell
# A 50 MB Rimfold.ini and a 20 MB WorkArea.dat are not read: Rimfold starts with its
# defaults and corrects at once, logs each file once, and leaves both untouched at close.
require_rimfold
settings_file '[Tray]\r\nStop=1\r\n'
dir="$DATA_DIR"
head -c 50000000 /dev/zero | tr '\0' 'x' >>"$dir/Rimfold.ini"
{ printf '[MAX]\r\nDisable=0\r\n;'; head -c 20000000 /dev/zero | tr '\0' 'y'; } >"$dir/WorkArea.dat"
md5sum "$dir/Rimfold.ini" "$dir/WorkArea.dat" >"$CASE_DIR/sums"
rm -f "$dir/Rimfold_Error.log"

one_window 1700,300,400,300
t0=$(now_ms)
start_resident
# Not stopped (the file's Stop=1 was not read): the window is corrected.
within "a window corrected after the start" 3000 rect_is "$W" "1520 300 1920 600"
figure "corrected $(( $(now_ms) - t0 )) ms after the start with a 50 MB Rimfold.ini"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
md5sum -c --quiet "$CASE_DIR/sums" || fail "an oversized file was changed"
check_eq "log lines about Rimfold.ini" 1 "$(grep -c 'Rimfold.ini is larger than 1048576 bytes' "$dir/Rimfold_Error.log")"
check_eq "log lines about WorkArea.dat" 1 "$(grep -c 'WorkArea.dat is larger than 1048576 bytes' "$dir/Rimfold_Error.log")"
