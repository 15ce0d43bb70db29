# desktop: monitors right
# fresh: yes
# The second monitor goes and comes back: the windows it held were brought onto the first
# one (the maximized one as the system moves it, the other by Rimfold), and after the pause
# each is back where it stood, the maximized one maximized there; the window on the first
# monitor is not touched. With the tray item off (its menu command) nothing is put back.
# Without a window manager Wine does not size a window created maximized: it shows its
# maximized rectangle only once maximized again.
require_rimfold
require_xdotool
command -v xrandr >/dev/null || skip "xrandr missing"
printf '%s\n' 'n|Normal|RfCase|00CF0000|0|2000,100,400,300|' 'm|Maxed|RfCase|00CF0000|0|2100,150,400,300|max' \
  'k|First|RfCase|00CF0000|0|100,100,400,300|' >"$CASE_DIR/windows.txt"
windows_start "$CASE_DIR/windows.txt"
n="$(report_hwnd n)" m="$(report_hwnd m)" k="$(report_hwnd k)"
ID_RETURN_WINDOWS="$(tray_command_id PPReturnWindows)"  # モニタ復帰時にウィンドウを戻す
check_eq "maximized at the start" max "$(ctl state "$m" | cut -d' ' -f1)"
n_at="$(ctl rect "$n")" k_at="$(ctl rect "$k")" monitors_at="$(ctl monitors)"
start_resident
wait_started
# The first sweep, which sees every window, records where they stand: nothing shows it.
quiet_wait

# wait_on_first NAME HWND: until the window lies on the first monitor. It is made the
# foreground window again and again, each time a change that makes Rimfold sweep.
wait_on_first() {
  local i r
  for ((i = 0; i < 4000; i += 300)); do
    read -r _ _ r _ <<<"$(ctl rect "$2")"
    [ "$r" -le 1920 ] && return 0
    windows_send foreground k
    sleep 0.1
    windows_send foreground "$1"
    sleep 0.2
  done
  fail "$1 was not brought onto the first monitor: $(ctl rect "$2")"
}

# second_gone_and_back: the output off and on again, each time with the broadcast.
second_gone_and_back() {
  xrandr --output DUMMY1 --off >/dev/null 2>&1 || fail "xrandr could not remove the second output"
  monitor_count 1
  # Maximized windows are left alone by default: the system moves this one.
  windows_send move m 300 500 400 300
  display_changed
  wait_on_first n "$n"
  second_attached_again "$monitors_at"
  display_changed
}

second_gone_and_back
wait_rect "the normal window back" "$n" "$n_at" 3000
# Maximized over the second monitor's work area, by its 4-pixel frame.
wait_rect "the maximized window back" "$m" "1916 -4 3204 988" 3000
check_eq "maximized again" max "$(ctl state "$m" | cut -d' ' -f1)"
expect_rect "the window on the first monitor" "$k" "$k_at"

ctl command "$MAIN_HWND" "$ID_RETURN_WINDOWS" >/dev/null || fail "the command did not reach Rimfold"
second_gone_and_back
quiet_wait  # nothing may be put back: only time can tell
read -r _ _ r _ <<<"$(ctl rect "$n")"
[ "$r" -le 1920 ] || fail "put back with the item off: $(ctl rect "$n")"
read -r _ _ r _ <<<"$(ctl rect "$m")"
[ "$r" -le 1920 ] || fail "the maximized one put back with the item off: $(ctl rect "$m")"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
grep -qx "ReturnWindows=0" <<<"$(tr -d '\r' <"$(data_dir)/Rimfold.ini")" || fail "ReturnWindows=0 not stored"
