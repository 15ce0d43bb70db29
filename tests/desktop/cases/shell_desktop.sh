# desktop: shell
# The shell desktop has the geometry the other cases rely on: a 1920x1080
# screen, a visible 20 px taskbar at the bottom and the work area above it.
check_eq "screen" "1920 1080" "$(ctl screen)"
check_eq "work area" "0 0 1920 1060" "$(ctl workarea)"
check_eq "monitors" "1
0 0 1920 1080 0 0 1920 1060 1" "$(ctl monitors)"
tray="$(ctl find Shell_TrayWnd)" || fail "no Shell_TrayWnd"
check_eq "taskbar state" "normal 1 1" "$(ctl state "$tray")"
check_eq "taskbar rect" "0 1060 1920 1080" "$(ctl rect "$tray")"
