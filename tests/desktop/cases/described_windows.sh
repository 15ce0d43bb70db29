# desktop: shell
# rf_windows creates windows as described and reports where they really are;
# rf_ctl, another process, sees the same titles, classes, styles and rects.
cat >"$CASE_DIR/windows.txt" <<'DESC'
# name|title|class|style|exstyle|x,y,w,h|flags
plain|Plain window|RfCasePlain|00CF0000|0|100,120,400,300|
tool|Tool window|RfCasePlain|80C00000|00000088|900,200,250,150|topmost
mini|Minimized|RfCasePlain|00CF0000|0|200,200,300,200|min
maxi|Maximized|RfCasePlain|00CF0000|0|10,10,300,200|max
off|Disabled|RfCasePlain|00CF0000|0|300,300,200,150|disabled
kid|Child|RfCaseChild|0|0|10,20,50,40|child-of=plain
frame|Modern app|ApplicationFrameWindow|00CF0000|0|500,100,300,300|
core|Core|Windows.UI.Core.CoreWindow|0|0|0,0,300,300|child-of=frame
bare|Bare frame|ApplicationFrameWindow|00CF0000|0|520,120,300,300|
stiff|Refuses moves|RfCasePlain|00CF0000|0|600,500,200,200|refuse-move
DESC
windows_start "$CASE_DIR/windows.txt"

expect() {  # name "left top right bottom state"
  local line
  line="$(report_line "$1")"
  check_eq "$1 in the report" "$2" "${line#* }"
  check_eq "$1 seen by rf_ctl" "${2% *}" "$(ctl rect "${line%% *}")"
}
expect plain "100 120 500 420 normal"
expect tool "900 200 1150 350 normal"
expect mini "-32000 -32000 -31840 -31976 min"
expect maxi "-4 -4 1924 1064 max"
expect off "300 300 500 450 normal,disabled"
expect frame "500 100 800 400 normal"
expect stiff "600 500 800 700 normal"

# The child sits at its client offset inside the parent's client area.
plain="$(report_hwnd plain)"
kid="$(report_line kid)"
read -r _ kl kt kr kb _ <<<"$kid"
check_eq "child size" "50 40" "$((kr - kl)) $((kb - kt))"
[ "$kl" -gt 100 ] && [ "$kt" -gt 120 ] && [ "$kr" -lt 500 ] || fail "child outside its parent: $kid"

check_eq "title" "Plain window" "$(ctl title "$plain")"
check_eq "class" "ApplicationFrameWindow" "$(ctl class "$(report_hwnd bare)")"
check_eq "core child class" "Windows.UI.Core.CoreWindow" "$(ctl class "$(report_hwnd core)")"
# Wine adds WS_VISIBLE and WS_CLIPSIBLINGS, and WS_EX_WINDOWEDGE for a caption.
check_eq "tool styles" "94c00000 00000188" "$(ctl style "$(report_hwnd tool)")"
check_eq "disabled state" "normal 1 0" "$(ctl state "$(report_hwnd off)")"
check_eq "found by title" "$plain" "$(ctl find RfCasePlain "Plain window")"

# Commands: a move lands, a refused window keeps its place against others'
# moves, and "report" rewrites the file.
windows_send move plain 50 60 400 300
check_eq "moved" "50 60 450 360" "$(ctl rect "$plain")"
windows_send report
check_eq "reported after the move" "50 60 450 360 normal" "$(report_line plain | cut -d' ' -f2-)"
windows_send move stiff 610 510 200 200
check_eq "own move of the stiff window" "610 510 810 710" "$(ctl rect "$(report_hwnd stiff)")"
