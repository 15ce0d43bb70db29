# desktop: shell
# Events that rf_windows raises with NotifyWinEvent reach an out-of-context
# hook in another process (rf_hooklog), with the right window handle; Wine
# raises none of these itself.
log="$CASE_DIR/hook.log"
start_bg "$RIMFOLD_HELPERS/rf_hooklog.exe" "$(winpath "$log")" "$(winpath "$CASE_DIR/hook.ready")"
for ((i = 0; i < 10000; i += 25)); do [ -e "$CASE_DIR/hook.ready" ] && break; sleep 0.025; done
[ -e "$CASE_DIR/hook.ready" ] || fail "rf_hooklog did not start"

cat >"$CASE_DIR/windows.txt" <<'DESC'
target|Event target|RfCaseEvents|00CF0000|0|300,300,400,300|
other|Bystander|RfCaseEvents|00CF0000|0|800,300,400,300|
DESC
windows_start "$CASE_DIR/windows.txt"
target="$(report_hwnd target)"

windows_send event target 0x8002
windows_send event target 0x800B
windows_send foreground target
windows_send drag target 400 350 400 300 200

# Delivery is asynchronous: wait for the last event of the drag.
for ((i = 0; i < 3000; i += 25)); do grep -q "^0x000B $target\$" "$log" 2>/dev/null && break; sleep 0.025; done
for ev in 0x8002 0x800B 0x0003 0x000A 0x000B; do
  grep -q "^$ev $target\$" "$log" || fail "event $ev for $target not seen; log: $(tr '\n' ';' <"$log" | tail -c 300)"
done
# The drag moved the window in steps, each with a location change.
moves="$(grep -c "^0x800B $target\$" "$log")"
[ "$moves" -ge 5 ] || fail "only $moves location changes during the drag"
check_eq "after the drag" "400 350 800 650" "$(ctl rect "$target")"
# Nothing was raised for the bystander beyond its creation.
if grep -E "^0x(0003|000A|000B|800B|8002) $(report_hwnd other)\$" "$log" >/dev/null; then
  fail "events raised for the wrong window"
fi
