# desktop: shell
# A window that sticks out and whose program takes no message from its creation for 20 s
# holds nothing up (see hung_window_case in lib.sh).
hung_window_case at-start
