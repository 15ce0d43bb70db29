# desktop: monitors left
# The second monitor left of the primary has negative coordinates.
check_eq "monitors" "2
0 0 1920 1080 0 0 1920 1040 1
-1280 0 0 1024 -1280 0 0 984 0" "$(monitors_sorted)"
check_eq "virtual screen" "-1280 0 3200 1080" "$(ctl virtual-screen)"
