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
xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "0,0,1920,1040,1920,0,1280,984"
xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 >/dev/null 2>&1 || fail "xrandr could not attach it"
monitor_count 2
for ((i = 0; i < 3000; i += 100)); do [ "$(ctl monitors)" = "$monitors_at" ] && break; sleep 0.1; done
check_eq "the monitors attached again" "$monitors_at" "$(ctl monitors)"
display_changed
wait_rect "the late window back" "$n" "$n_at" 3000
