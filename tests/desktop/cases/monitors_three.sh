# desktop: monitors three
# A third output (1024x768, left of the primary) appears as a third monitor.
check_eq "monitors" "3
0 0 1920 1080 0 0 1920 1040 1
-1024 0 0 768 -1024 0 0 728 0
1920 0 3200 1024 1920 0 3200 984 0" "$(monitors_sorted)"
check_eq "virtual screen" "-1024 0 4224 1080" "$(ctl virtual-screen)"
