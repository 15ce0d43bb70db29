# desktop: shell win10
# fresh: yes
# On a prefix that reports Windows 10 the display-mode submenu carries the Windows 10
# captions (shown in the screenshot); it has its four modes, and the main menu its rows.
require_rimfold
require_xdotool
# Without a manifest (rf_ctl) the prefix says 6.2; with Rimfold's it says 10.0.
case "$(ctl version)" in 6.2.*) ;; *) fail "not a Windows 10 prefix: $(ctl version)" ;; esac
start_resident
expect_tray running 5000
open_tray_menu
rows=($(menu_rows "$MENU_HWND"))
check_eq "rows of the menu" 11 "${#rows[@]}"
open_submenu "$MENU_HWND" 8
sub=($(menu_rows "$SUBMENU_HWND"))
check_eq "display modes" 4 "${#sub[@]}"
shot display-modes
# DisplaySwitch.exe does not exist under Wine: choosing a mode does nothing, and says nothing.
menu_click "$SUBMENU_HWND" 0
quiet_wait
[ -z "$(ctl find '#32770' -)" ] || fail "a message box appeared"
kill -0 "$RIMFOLD_PID" 2>/dev/null || fail "Rimfold ended"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
