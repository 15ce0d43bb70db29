# desktop: shell
# fresh: yes
# The end of a drag, as the shell reports it (MOVESIZESTART / MOVESIZEEND): with inertial
# movement on, a fast drag is thrown on to the allowed-area edge and a slow one is not, nor
# is a window whose drag start was not seen;
# under the 1/2 limit a small sizable window grows to half the work area (1920 x 1060).
require_rimfold
settings_file '[Tray]\r\nMoveWindowSpeed=1\r\nConstraints=0\r\n'
cat >"$CASE_DIR/windows.txt" <<'DESC'
fast|Fast|RfCase|00CF0000|0|500,300,400,300|
slow|Slow|RfCase|00CF0000|0|500,300,400,300|
lone|Lone|RfCase|00CF0000|0|500,300,400,300|
DESC
windows_start "$CASE_DIR/windows.txt"
start_resident
wait_started  # a drag before the hook is installed would go unnoticed

# 300 px to the right in 100 ms: thrown 4 x 300 further, stopped at the right edge.
windows_send drag fast 800 300 400 300 100
wait_rect "fast drag" "$(report_hwnd fast)" "1520 300 1920 600" 3000
# An end whose start was not seen (it came before the hook): not thrown, not even with the
# fast drag's start and time still at hand.
windows_send move lone 550 300 400 300
windows_send event lone 0x000B
quiet_wait
expect_rect "a drag end without its start" "$(report_hwnd lone)" "550 300 950 600"
# 100 px in 800 ms: too slow to throw.
windows_send drag slow 600 300 400 300 800
quiet_wait
expect_rect "slow drag" "$(report_hwnd slow)" "600 300 1000 600"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000

settings_file '[Tray]\r\nMoveWindowSpeed=0\r\nConstraints=1\r\n'
cat >"$CASE_DIR/small.txt" <<'DESC'
small|Small|RfCase|00CF0000|0|100,100,300,200|
DESC
windows_start "$CASE_DIR/small.txt" small
start_resident
wait_started
windows_send drag small 150 120 300 200 600
wait_rect "small window under 1/2" "$(report_hwnd small)" "150 120 1110 650" 3000
