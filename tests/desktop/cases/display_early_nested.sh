# desktop: shell
# fresh: yes
# The countdown box's OK pressed early ends the pause at once; a second display change while
# a countdown runs replaces its box by a new one that starts again at 10.
require_rimfold
require_xdotool
one_window 1300,600,500,300
start_resident
expect_tray running 5000

set_mode 1280 1024
box="$(wait_box "Rimfold - (10秒)" 5000)"
wait_box "Rimfold - (9秒)" 3000 >/dev/null  # a second into the countdown: early
click_rect "$(ctl rect "$(ctl child "$box" 1)")"
t0=$(date +%s%3N)
wait_gone "$box" 1000
# The box goes a moment before the hook is back: the event is raised until it is heard.
nudge_until "corrected right after OK" "$W" "780 600 1280 900" 2000 windows_send foreground w
(( $(date +%s%3N) - t0 < 3000 )) || fail "correction did not resume at once"

# A change, and while its box counts, another: the first box goes, a new one shows 10.
set_mode 1920 1080
first="$(wait_box "Rimfold - (10秒)" 5000)"
wait_box "Rimfold - (8秒)" 4000 >/dev/null
set_mode 1280 1024
second="$(wait_box "Rimfold - (10秒)" 3000)"
# The first box is closed (hidden); its window goes when the loop it ran in returns.
check_eq "the first box shown" 0 "$(ctl state "$first" 2>/dev/null | cut -d' ' -f2 || echo 0)"
[ "$second" != "$first" ] || fail "the same box still shows"
shot second-box
click_rect "$(ctl rect "$(ctl child "$second" 1)")"
wait_gone "$second" 1000
wait_gone "$first" 1000
# Both pauses have ended: the program listens again.
windows_send foreground w
windows_send move w 1000 600 500 300
nudge_until "corrected after both pauses" "$W" "780 600 1280 900" 3000 windows_send event w 0x800B
check_eq "boxes left" "" "$(ctl find "#32770" - 2>/dev/null)"

# Back to the full screen (Wine leaves tray icons where they were on a smaller one): the
# tray opens its menu again.
set_mode 1920 1080
box="$(wait_box "Rimfold - (10秒)" 5000)"
click_rect "$(ctl rect "$(ctl child "$box" 1)")"
wait_gone "$box" 1000
wait_tray_tip "Rimfold" 3000
open_tray_menu
dismiss_tray_menu
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
