# desktop: shell
# fresh: yes
# A display change with the countdown box: its text and its caption counting down once a
# second from 10, confirmed by itself about 10 s after it appeared; meanwhile the tray opens
# no menu and no window is corrected; afterwards a window sticking out of the new, smaller
# screen is corrected into the new work area, and WorkArea.dat gets the new section.
require_rimfold
require_xdotool
one_window 1300,600,500,300
start_resident
expect_tray running 5000

set_mode 1280 1024
box="$(wait_box "Rimfold - (10秒)" 5000)"
shown=$(date +%s%3N)
# The captions seen until the box closes, each once, in a watcher of their own.
(
  "$WINE64" "$RIMFOLD_HELPERS/rf_ctl.exe" watch-title "$box" 15000 </dev/null >"$CASE_DIR/captions" 2>/dev/null
  echo $(( $(date +%s%3N) - shown )) >"$CASE_DIR/closed"
) &
watcher=$!
check_eq "the box's text" "モニタ表示の状態が安定したら[OK]をクリックしてください。" "$(box_text "$box")"
(( 0x$(ctl style "$box" | cut -d' ' -f2) & 0x8 )) || fail "the box is not system-modal (topmost)"
shot countdown

# The tray is deaf while the box is up, and nothing is corrected.
wait_tray_tip "Rimfold" 3000
tray_click 3
expect_no_menu 800
expect_rect "the window while the box is up" "$W" "1300 600 1800 900"

wait "$watcher"
closed="$(cat "$CASE_DIR/closed")"
seen="$(sed 's/^Rimfold - (//; s/秒)$//' "$CASE_DIR/captions" | paste -sd' ') "
# The caption for 0 is set by the tick that confirms the box, so it may not be seen.
seen="${seen//秒)/}"
case "$seen" in
  "10 9 8 7 6 5 4 3 2 1 " | "10 9 8 7 6 5 4 3 2 1 0 ") ;;
  *) fail "captions counted '$seen'" ;;
esac
(( closed >= 9500 && closed <= 12500 )) || fail "the box closed after $closed ms, not about 10 s"

# Correction goes on against the new screen: 1280 x 1024, taskbar at the bottom.
read -r wl wt wr wb <<<"$(ctl workarea)"
check_eq "new work area" "0 0 1280" "$wl $wt $wr"
# Windows raises events for the windows a mode change touches; Wine raises none.
windows_send foreground w
wait_rect "the window in the new work area" "$W" "780 600 1280 900" 3000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
grep -qF "[#1 (0,0) - (1280,1024) : (0,0) - (1280,$wb)]" "$(data_dir)/WorkArea.dat" ||
  fail "WorkArea.dat lacks the new section: $(grep '^\[#' "$(data_dir)/WorkArea.dat")"
