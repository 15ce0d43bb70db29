# desktop: monitors left
# fresh: yes
# Two monitors, the second left of the primary: each window is corrected into its own
# monitor's work area, and WorkArea.dat holds one section per monitor.
require_rimfold
cat >"$CASE_DIR/windows.txt" <<'DESC'
second|Second|RfCase|00CF0000|0|-1400,100,400,300|
primary|Primary|RfCase|00CF0000|0|100,900,300,300|
DESC
windows_start "$CASE_DIR/windows.txt"
run_oneshot
expect_rect "window on the second monitor" "$(report_hwnd second)" "-1280 100 -880 400"
expect_rect "window on the primary monitor" "$(report_hwnd primary)" "100 740 400 1040"
wa="$(data_dir)/WorkArea.dat"
grep -qF '(0,0) - (1920,1080) : (0,0) - (1920,1040)]' "$wa" || fail "no section of the primary: $(grep '^\[#' "$wa")"
grep -qF '(-1280,0) - (0,1024) : (-1280,0) - (0,984)]' "$wa" || fail "no section of the second monitor: $(grep '^\[#' "$wa")"
check_eq "monitor sections" 2 "$(grep -c '^\[#' "$wa")"
