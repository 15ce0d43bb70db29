# desktop: shell
# Killed at random moments of its close, 30 times: every file is the old one or the new one,
# never a mix; the next start removes what cut-off saves left (and nothing else).
require_rimfold
dir="$(data_dir)"
mkdir -p "$dir" "$CASE_DIR/old" "$CASE_DIR/new"
# Old files that the close rewrites differently, large enough for the kill to meet the
# writing: the settings gain keys, the exclusion list turns from UTF-8 into UTF-16.
pad="$(head -c 300000 /dev/zero | tr '\0' 'p')"
printf '[Pad]\r\nP=%s\r\n[Tray]\r\nStop=0\r\n' "$pad" >"$CASE_DIR/old/Rimfold.ini"
printf '[Pad]\r\nP=%s\r\n' "$pad" >"$CASE_DIR/old/WorkArea.dat"
{ printf '\xEF\xBB\xBF'; awk 'BEGIN { for (i = 1; i <= 20000; i++) printf "APP%d.EXE,RfClass,Title %d\r\n", i, i }'; } \
  >"$CASE_DIR/old/Disable.log"
files=(Rimfold.ini WorkArea.dat Disable.log)
restore_old() { local f; for f in "${files[@]}"; do cp "$CASE_DIR/old/$f" "$dir/$f"; done; }

# A close is handled at once only when the start is over.
started() {
  start_resident
  wait_started
}

# What a close that is not cut short writes, and how long its saves take: Rimfold.ini is
# written last. The kills are spread over that time.
restore_old
started
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
t0=$(now_ms)
while cmp -s "$dir/Rimfold.ini" "$CASE_DIR/old/Rimfold.ini" && (( $(now_ms) - t0 < 5000 )); do :; done
close_ms=$(( $(now_ms) - t0 + 5 ))
wait_exit "$RIMFOLD_PID" 5000
for f in "${files[@]}"; do
  cp "$dir/$f" "$CASE_DIR/new/$f"
  cmp -s "$dir/$f" "$CASE_DIR/old/$f" && fail "$f is not rewritten at close"
done
echo "not ours" >"$dir/notes.tmp"

declare -A ended
for ((k = 1; k <= 30; k++)); do
  restore_old
  started
  ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
  sleep "$(awk -v ms=$((RANDOM % (close_ms + 1))) 'BEGIN { printf "%.3f", ms / 1000 }')"
  kill -KILL "$RIMFOLD_PID" 2>/dev/null
  wait_exit "$RIMFOLD_PID" 5000
  for f in "${files[@]}"; do
    if cmp -s "$dir/$f" "$CASE_DIR/old/$f"; then ended[$f.old]=$(( ${ended[$f.old]:-0} + 1 ))
    elif cmp -s "$dir/$f" "$CASE_DIR/new/$f"; then ended[$f.new]=$(( ${ended[$f.new]:-0} + 1 ))
    else fail "kill $k: $f is neither the old nor the new file ($(stat -c %s "$dir/$f") bytes)"
    fi
  done
done
left="$(cd "$dir" && ls -1 | grep -c '\.tmp$')"
summary=""
for f in "${files[@]}"; do summary+=" $f: ${ended[$f.old]:-0} old, ${ended[$f.new]:-0} new;"; done
figure "30 kills within the ${close_ms} ms of a close's saves:$summary $((left - 1)) temporary files left before the next start"
# Whatever the kills happened to leave, also what a kill in the middle of writing leaves,
# and what earlier versions left (random names from GetTempFileName).
head -c 1000 "$CASE_DIR/new/Disable.log" >"$dir/Disable.log.tmp"
: >"$dir/rf3F2A.tmp"

start_resident
expect_tray running 5000
check_eq "files ending in .tmp after the next start" "notes.tmp" "$(cd "$dir" && ls -1 | grep '\.tmp$')"
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
