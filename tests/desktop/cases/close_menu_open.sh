# desktop: shell
# fresh: yes
# A close while the tray menu is open (what the installer sends at an upgrade, what taskkill
# sends without /F) ends the program within 2 s, its settings saved.
require_rimfold
require_xdotool
start_resident
wait_started
expect_tray running 5000
dir="$(data_dir)"
rm -f "$dir/Rimfold.ini"
open_tray_menu
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 2000
[ -s "$dir/Rimfold.ini" ] || fail "Rimfold.ini not written at the close"
