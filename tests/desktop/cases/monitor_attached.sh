# desktop: monitors one
# fresh: yes
# A second monitor attached while Rimfold runs, one it has never seen (a laptop docked):
# after the display change it gets its own allowed area, so a window sticking out of it is
# brought back inside, and WorkArea.dat gets its section under its own bounds.
require_rimfold
require_xdotool
command -v xrandr >/dev/null || skip "xrandr missing"
start_resident
wait_started

xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "0,0,1920,1040,1920,0,1280,984"
xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 >/dev/null 2>&1 || fail "xrandr could not attach it"
xrandr --listmonitors >/dev/null
monitor_count 2
display_changed

one_window 2300,800,400,300
nudge_until "below the new monitor's work area" "$W" "2300 684 2700 984" 3000 windows_send foreground w
windows_send move w 3000 100 400 300
windows_send event w 0x800B
wait_rect "past the new monitor's right edge" "$W" "2800 100 3200 400" 3000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
sections="$(grep -a '^\[#' "$(data_dir)/WorkArea.dat" | tr -d '\r' | sort)"
check_eq "sections" "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)]
[#2 (1920,0) - (3200,1024) : (1920,0) - (3200,984)]" "$sections"
