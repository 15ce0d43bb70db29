# desktop: monitors right
# A 1280x1024 second monitor to the right of the 1920x1080 primary, each with
# its own work area (40 px off the bottom).
check_eq "monitors" "2
0 0 1920 1080 0 0 1920 1040 1
1920 0 3200 1024 1920 0 3200 984 0" "$(monitors_sorted)"
check_eq "virtual screen" "0 0 3200 1080" "$(ctl virtual-screen)"
check_eq "primary work area" "0 0 1920 1040" "$(ctl workarea)"
