# desktop: shell
# fresh: yes
# win32: yes
# "/Q" corrects every window that sticks out of the work area (0,0,1920,1060) once and
# ends by itself: each side, corners (vertical move first), too tall, too wide, and a
# real program's off-screen window. Excluded windows (by program, class and window key),
# minimized, disabled, bare, tiny, full-screen, maximized and store-app windows stay.
require_rimfold
dir="$(data_dir)"
mkdir -p "$dir"
printf 'RF_OTHER.EXE,\r\nRF_WINDOWS.EXE,RfExcludedClass,\r\nrf_windows.exe,RfCase,Excluded by title\r\n' >"$dir/Disable.log"

cat >"$CASE_DIR/windows.txt" <<'DESC'
top|Top|RfCase|00CF0000|0|100,-50,400,300|
bottom|Bottom|RfCase|00CF0000|0|300,900,400,300|
left|Left|RfCase|00CF0000|0|-100,200,400,300|
right|Right|RfCase|00CF0000|0|1700,300,400,300|
corner|Corner|RfCase|00CF0000|0|1800,950,300,200|
tall|Tall|RfCase|00CF0000|0|200,-100,300,1300|
wide|Wide|RfCase|00CF0000|0|-200,100,2400,300|
inside|Inside|RfCase|00CF0000|0|500,500,300,200|
byclass|By class|RfExcludedClass|00CF0000|0|-100,600,300,200|
bytitle|Excluded by title|RfCase|00CF0000|0|1800,600,300,200|
mini|Minimized|RfCase|00CF0000|0|-150,650,300,200|min
off|Disabled|RfCase|00CF0000|0|-120,700,300,200|disabled
bare|Bare|RfCase|80000000|0|-130,750,300,200|
tiny|Tiny|RfCase|80C80000|0|-5,-5,12,12|
full|Full screen|RfCase|80C80000|0|0,-10,1920,1100|
maxi|Maximized|RfCase|00CF0000|0|10,10,300,200|max
store|Store app|ApplicationFrameWindow|00CF0000|0|-100,800,300,200|
DESC
windows_start "$CASE_DIR/windows.txt"

cp "$RIMFOLD_HELPERS/rf_windows.exe" "$CASE_DIR/rf_other.exe"
cat >"$CASE_DIR/other.txt" <<'DESC'
other|Other program|RfCase|00CF0000|0|1800,100,300,200|
DESC
WINDOWS_TAG=other
other_report="$CASE_DIR/windows-other.report"
start_bg "$CASE_DIR/rf_other.exe" "$(winpath "$CASE_DIR/other.txt")" "$(winpath "$other_report")" other
wait_file "$other_report" 10000
other="$(awk '$1 == "other" { print $2 }' "$other_report")"

start_bg notepad
pad="$(ctl wait-find Notepad - 10000)" || fail "notepad did not open"
ctl move "$pad" 2500 300 500 400 || fail "could not move notepad"

before="$(report_line maxi | cut -d' ' -f2-5)"
run_oneshot
[ "$ONESHOT_MS" -ge 1200 ] && [ "$ONESHOT_MS" -le 6000 ] ||
  fail "the one-shot run took $ONESHOT_MS ms (expected about 1500)"

expect_rect "top edge" "$(report_hwnd top)" "100 0 500 300"
expect_rect "bottom edge" "$(report_hwnd bottom)" "300 760 700 1060"
expect_rect "left edge" "$(report_hwnd left)" "0 200 400 500"
expect_rect "right edge" "$(report_hwnd right)" "1520 300 1920 600"
expect_rect "corner" "$(report_hwnd corner)" "1620 860 1920 1060"
expect_rect "too tall" "$(report_hwnd tall)" "200 0 500 1060"
expect_rect "too wide" "$(report_hwnd wide)" "0 100 1920 400"
expect_rect "inside" "$(report_hwnd inside)" "500 500 800 700"
expect_rect "notepad" "$pad" "1420 300 1920 700"
expect_rect "excluded program" "$other" "1800 100 2100 300"
expect_rect "excluded class" "$(report_hwnd byclass)" "-100 600 200 800"
expect_rect "excluded window" "$(report_hwnd bytitle)" "1800 600 2100 800"
check_eq "minimized" "min 1 1" "$(ctl state "$(report_hwnd mini)")"
expect_rect "disabled" "$(report_hwnd off)" "-120 700 180 900"
expect_rect "bare" "$(report_hwnd bare)" "-130 750 170 950"
expect_rect "tiny" "$(report_hwnd tiny)" "-5 -5 7 7"
expect_rect "full screen" "$(report_hwnd full)" "0 -10 1920 1090"
expect_rect "maximized" "$(report_hwnd maxi)" "$before"
expect_rect "store app" "$(report_hwnd store)" "-100 800 200 1000"

# The exclusion list is written back in UTF-16 LE with its BOM, entries unchanged.
expected_log="$CASE_DIR/Disable.expected"
printf 'RF_OTHER.EXE,\r\nRF_WINDOWS.EXE,RfExcludedClass,\r\nrf_windows.exe,RfCase,Excluded by title\r\n' |
  iconv -f ASCII -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$expected_log"
cmp -s "$expected_log" "$dir/Disable.log" || fail "Disable.log: $(xxd "$dir/Disable.log" | head -3)"
