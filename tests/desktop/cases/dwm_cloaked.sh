# desktop: shell dwm10
# A cloaked window (on another virtual desktop, as the test dwmapi.dll reports it) that sticks
# out is neither moved, activated nor listed as processed, while an uncloaked one beside it is
# corrected; once it is shown (uncloaked, with the foreground change that comes with it) it is
# corrected like any other. Neither has a sizing frame, so their frames are their rectangles.
require_rimfold
cat >"$CASE_DIR/windows.txt" <<'W'
u|Shown|RfCase|00C80000|0|1700,100,400,300|
c|Elsewhere|RfCase|00C80000|0|1700,500,400,300|cloaked
W
windows_start "$CASE_DIR/windows.txt"
u="$(report_hwnd u)" c="$(report_hwnd c)"
start_resident
wait_rect "the uncloaked window" "$u" "1520 100 1920 400" 5000
expect_rect "the cloaked window" "$c" "1700 500 2100 800"
[ "$(ctl foreground)" != "$c" ] || fail "the cloaked window was brought to the foreground"
open_config
items="$(ctl items "$(dlg $ID_LIST_E)" | paste -sd'|')"
grep -q "RfCase,Shown" <<<"$items" || fail "the uncloaked window is not listed: $items"
! grep -q "Elsewhere" <<<"$items" || fail "the cloaked window is listed: $items"
ctl close "$CONFIG" || fail "WM_CLOSE not posted to the dialog"
wait_dialog_hidden 2000

windows_send cloak c 0
windows_send foreground c
wait_rect "the window once shown" "$c" "1520 500 1920 800" 3000
