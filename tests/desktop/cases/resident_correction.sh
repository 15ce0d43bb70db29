# desktop: shell
# fresh: yes
# Resident: a window moved off-screen (with the events the shell raises) and a new window
# that appears off-screen are corrected within the next ticks, also one that applies moves
# late (its moves counted as made); a second copy ends at once;
# WM_CLOSE to the main form ends the program and writes its files.
require_rimfold
one_window 500,300,400,300
w="$W"
start_resident

windows_send move w 1800 300 400 300
windows_send foreground w
wait_rect "moved off the right edge" "$w" "1520 300 1920 600" 3000

windows_send create "n|New|RfCase|00CF0000|0|-100,100,300,200|"
windows_send report
n="$(report_hwnd n)"
wait_rect "new window off the left edge" "$n" "0 100 300 300" 3000

# A window that applies a move a little after it was asked (Windows' order for an
# asynchronous move), off two edges: both corrections hold, the second made from the box
# the first one left.
windows_send create "d|Deferred|RfCase|00CF0000|0|1700,900,400,300|defer-move"
windows_send report
d="$(report_hwnd d)"
windows_send foreground d
wait_rect "a deferred window off two edges" "$d" "1520 760 1920 1060" 3000
# Its moves counted as made: it is in the processed list.
open_config
ctl items "$(dlg $ID_LIST_E)" | grep -qx "RF_WINDOWS.EXE,RfCase,Deferred" ||
  fail "the deferred window's moves counted as refused: $(ctl items "$(dlg $ID_LIST_E)" | paste -sd'|')"
ctl close "$CONFIG" || fail "WM_CLOSE not posted to the dialog"
wait_dialog_hidden 2000

t0=$(date +%s%3N)
timeout -k 2 20 "$WINE64" "$RIMFOLD_EXE" </dev/null
check_eq "second copy's exit code" 0 "$?"
[ $(( $(date +%s%3N) - t0 )) -lt 3000 ] || fail "the second copy did not end at once"
kill -0 "$RIMFOLD_PID" 2>/dev/null || fail "the first copy ended"

dir="$(data_dir)"
rm -f "$dir/Rimfold.ini" "$dir/WorkArea.dat" "$dir/Disable.log"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
for f in Rimfold.ini WorkArea.dat Disable.log; do
  [ -s "$dir/$f" ] || fail "$f not written at close"
done
grep -q $'^\[#1 (0,0) - (1920,1080) : (0,0) - (1920,1060)\]\r$' "$dir/WorkArea.dat" ||
  fail "WorkArea.dat lacks the monitor's section"
