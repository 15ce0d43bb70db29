# desktop: shell win10
# fresh: yes
# win32: yes
# A display mode of the tray menu starts Windows' DisplaySwitch.exe with the mode's switch.
# The tool lives in the 64-bit system folder only: a 32-bit Rimfold finds it there past the
# WOW64 redirection and starts it through Sysnative. A stand-in (rf_displayswitch) records
# the command line it was started with.
require_rimfold
require_xdotool
system32="$WINEPREFIX/drive_c/windows/system32"
cp "$RIMFOLD_HELPERS/rf_displayswitch.exe" "$system32/DisplaySwitch.exe" || fail "no stand-in"
[ -e "$WINEPREFIX/drive_c/windows/syswow64/DisplaySwitch.exe" ] && fail "a 32-bit DisplaySwitch.exe"
log="$system32/DisplaySwitch.log"
start_resident
expect_tray running 5000
open_tray_menu
open_submenu "$MENU_HWND" 8
menu_click "$SUBMENU_HWND" 2  # 拡張
wait_file "$log" 5000
line="$(tr -d '\r' <"$log")"
echo "started as: $line"
[[ $line == *' /extend' ]] || fail "DisplaySwitch.exe was started as: $line"
kill -0 "$RIMFOLD_PID" 2>/dev/null || fail "Rimfold ended"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
