# desktop: shell dwm10
# Windows 10's invisible resize borders (7 px left, right and bottom), answered by the test
# dwmapi.dll: the one-shot sweep measures what the user sees. A window snapped to the left
# half and one touching the bottom and right edges by its frame are inside and left alone;
# one 50 px below the area ends with its visible bottom on the taskbar, one taller than the
# area is fitted to it by its frame.
require_rimfold
# name|title|class|style|exstyle|x,y,w,h of the rectangle: the frame plus the borders.
cat >"$CASE_DIR/windows.txt" <<'W'
s|Snapped|RfCase|00CF0000|0|-7,0,974,1067|
e|Edges|RfCase|00CF0000|0|1413,660,514,407|
b|Below|RfCase|00CF0000|0|193,810,414,307|
t|Tall|RfCase|00CF0000|0|693,-30,414,1137|
W
windows_start "$CASE_DIR/windows.txt"
run_oneshot
expect_rect "the snapped window" "$(report_hwnd s)" "-7 0 967 1067"
expect_rect "the window touching two edges by its frame" "$(report_hwnd e)" "1413 660 1927 1067"
# Frame 200,760 - 600,1060 and 700,0 - 1100,1060.
expect_rect "the window below the area" "$(report_hwnd b)" "193 760 607 1067"
expect_rect "the window taller than the area" "$(report_hwnd t)" "693 0 1107 1067"
