# desktop: shell
# A window that puts itself back out half a second after each correction (as programs that
# restore their own position do) is corrected three times, then left alone; the user's drag
# makes it a window to correct again.
require_rimfold
printf 'f|Fighter|RfCase|00CF0000|0|1700,100,400,300|fight\n' >"$CASE_DIR/windows.txt"
windows_start "$CASE_DIR/windows.txt"
f="$(report_hwnd f)"
start_resident
wait_started
windows_send foreground f
wait_rect "the first correction" "$f" "1520 100 1920 400" 3000
# Left alone: out where it put itself for longer than a round takes.
quiet_ms=$QUIET_MS
t0=$(now_ms) since=""
while :; do
  if [ "$(ctl rect "$f")" = "1700 100 2100 400" ]; then
    since="${since:-$(now_ms)}"
    (( $(now_ms) - since >= quiet_ms )) && break
  else
    since=""
  fi
  (( $(now_ms) - t0 > 15000 )) && fail "still fought over after 15 s: $(ctl rect "$f")"
  sleep 0.05
done
# The user drags it elsewhere, out again: corrected.
windows_send drag f 1750 200 400 300 100
wait_rect "the fighter after the user's drag" "$f" "1520 200 1920 500" 3000
