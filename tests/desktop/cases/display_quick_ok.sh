# desktop: shell
# fresh: yes
# The countdown box confirmed at once, as its text invites, while the taskbar has not yet
# taken its new place: once the work area settles (Wine: some seconds later, with no message)
# a window below the new screen is kept above the new taskbar, not above the old one; back
# to the first mode and closed at once, the user's own area for it is still in WorkArea.dat.
require_rimfold
dir="$(data_dir)"
mkdir -p "$dir"
section='[#1 (0,0) - (1920,1080) : (0,0) - (1920,1060)]'
printf '%s\r\nTop=100\r\nBottom=1060\r\nLeft=0\r\nRight=1920\r\n\r\n' "$section" >"$dir/WorkArea.dat"
one_window 100,200,400,300
start_resident
wait_started

# confirm_at_once W H: the mode, and its countdown box confirmed as soon as it shows.
confirm_at_once() {
  local box
  set_mode "$1" "$2"
  box="$(wait_box "Rimfold - (10秒)" 5000)"
  ctl command "$box" 1 >/dev/null || fail "the box took no IDOK"
  wait_gone "$box" 2000
}

confirm_at_once 1280 1024
# The taskbar takes its new place a moment later. Windows then announces the new work area
# (WM_SETTINGCHANGE, SPI_SETWORKAREA); Wine announces nothing, and a program running through
# the change sees the new area only once another program has read the monitors afresh, as
# this wait does.
taskbar_moved() { [ "$(ctl monitors | sed -n 2p | awk '{ print $8 }')" = 1004 ]; }
within "the taskbar at its new place" 10000 taskbar_moved
ctl setting-change 0x2F >/dev/null
windows_send move w 100 800 400 300
windows_send foreground w
# Frame 100,704 - 500,1004 once the taskbar stands at 1004; the stale area ends at 1060.
wait_rect "the window above the settled taskbar" "$W" "100 704 500 1004" 3000

confirm_at_once 1920 1080
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
kept="$(tr -d '\r' <"$dir/WorkArea.dat" | grep -A4 -xF "$section" | paste -sd' ')"
check_eq "the user's section" "$section Top=100 Bottom=1060 Left=0 Right=1920" "$kept"
