# desktop: monitors right
# fresh: yes
# Windows opened after the start, whose foreground events land in one tick (so that tick's
# sweep stops at the newest), still have their places: the one on the second monitor goes
# back there when the monitor returns.
require_rimfold
require_xdotool
command -v xrandr >/dev/null || skip "xrandr missing"
one_window 100,100,400,300
monitors_at="$(ctl monitors)"
start_resident
wait_started
windows_send create "n|Late|RfCase|00CF0000|0|2000,100,400,300|"
windows_send create "o|Later|RfCase|00CF0000|0|300,200,400,300|"
windows_send report
n="$(report_hwnd n)"
windows_send foreground n
windows_send foreground o
n_at="$(ctl rect "$n")"

xrandr --output DUMMY1 --off >/dev/null 2>&1 || fail "xrandr could not remove the second output"
monitor_count 1
display_changed
wait_rect "the late window on the first monitor" "$n" "1520 100 1920 400" 1000
second_attached_again "$monitors_at"
display_changed
wait_rect "the late window back" "$n" "$n_at" 3000
