# desktop: shell
# fresh: yes
# WM_QUERYENDSESSION closes the main form first, so the settings are written before the
# answer (TRUE: Windows may end the session), and the program ends.
require_rimfold
start_resident
# The main form exists before the settings are read; a session that ends sooner has
# nothing of the user's to write.
wait_started
dir="$(data_dir)"
[ ! -e "$dir/Rimfold.ini" ] || fail "Rimfold.ini exists before the close"
check_eq "answer to WM_QUERYENDSESSION" 1 "$(ctl query-end-session "$MAIN_HWND" 5000)"
[ -s "$dir/Rimfold.ini" ] || fail "Rimfold.ini not written"
[ -s "$dir/WorkArea.dat" ] || fail "WorkArea.dat not written"
wait_exit "$RIMFOLD_PID" 5000
