# desktop: monitors right
# fresh: yes
# The second monitor removed and attached again (xrandr, and the broadcast the real system
# would send): each time the tables are rebuilt, so a window is corrected into the area of
# the monitor it is on now, and both configurations end up as sections of WorkArea.dat.
require_rimfold
require_xdotool
command -v xrandr >/dev/null || skip "xrandr missing"
one_window 1800,100,400,300
start_resident
windows_send foreground w
# Most of it lies on the second monitor: it goes there.
wait_rect "on the second monitor" "$W" "1920 100 2320 400" 3000

# Alone, the primary monitor has a taller taskbar.
xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "0,0,1920,1000,1920,0,1280,984"
xrandr --output DUMMY1 --off >/dev/null 2>&1 || fail "xrandr could not remove the second output"
monitor_count 1
display_changed
# Nudged a little, as a user would: corrected against the monitor that is left.
windows_send move w 1810 100 400 300
nudge_until "on the one monitor left" "$W" "1520 100 1920 400" 3000 windows_send event w 0x800B
windows_send move w 100 900 400 300
windows_send event w 0x800B
wait_rect "inside the lone monitor's work area" "$W" "100 700 500 1000" 3000
# Its section is written when the dialog closes.
open_config
ctl close "$CONFIG" || fail "WM_CLOSE not posted to the dialog"
wait_dialog_hidden 2000

xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "0,0,1920,1040,1920,0,1280,984"
xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 >/dev/null 2>&1 || fail "xrandr could not attach it"
monitor_count 2
display_changed
windows_send move w 1800 100 400 300
nudge_until "on the second monitor again" "$W" "1920 100 2320 400" 3000 windows_send event w 0x800B
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
sections="$(grep -a '^\[#' "$(data_dir)/WorkArea.dat" | tr -d '\r' | sort)"
check_eq "sections" "[#1 (0,0) - (1920,1080) : (0,0) - (1920,1000)]
[#1 (0,0) - (1920,1080) : (0,0) - (1920,1040)]
[#2 (1920,0) - (3200,1024) : (1920,0) - (3200,984)]" "$sections"
