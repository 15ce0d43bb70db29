# desktop: shell
# A window that sticks out and whose program stops taking messages right after showing it,
# for 20 s, holds nothing up (see hung_window_case in lib.sh).
hung_window_case after-show
