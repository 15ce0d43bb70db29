# desktop: shell
# fresh: yes
# win32: yes
# A first run writes Rimfold.ini byte-exact with the defaults, WorkArea.dat with the
# monitor's section named after its bounds and work area, and Disable.log holding only
# its byte-order mark.
require_rimfold
run_oneshot
dir="$(data_dir)"
printf '[Tray]\r\nConstraints=0\r\nStop=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\nReturnWindows=1\r\n\r\n[Key]\r\nStop=\r\n\r\n' >"$CASE_DIR/ini"
cmp -s "$CASE_DIR/ini" "$dir/Rimfold.ini" || fail "Rimfold.ini differs: $(od -c "$dir/Rimfold.ini" | head -5)"
printf '\xff\xfe' >"$CASE_DIR/log"
cmp -s "$CASE_DIR/log" "$dir/Disable.log" || fail "Disable.log is not a lone BOM"
printf '[#1 (0,0) - (1920,1080) : (0,0) - (1920,1060)]\r\nTop=0\r\nBottom=1060\r\nLeft=0\r\nRight=1920\r\n\r\n[Message]\r\nEnabled=0\r\n\r\n[MAX]\r\nDisable=1\r\n\r\n[DeskTop]\r\nDisable=0\r\n\r\n[Window]\r\n' >"$CASE_DIR/wa"
head -c "$(stat -c %s "$CASE_DIR/wa")" "$dir/WorkArea.dat" | cmp -s - "$CASE_DIR/wa" ||
  fail "WorkArea.dat differs: $(tr '\r' ' ' <"$dir/WorkArea.dat" | head -20)"
tail -n +2 <<<"$(sed -n '/^\[Window\]/,$p' "$dir/WorkArea.dat" | tr -d '\r')" | grep -q '^GroupBoxE=100$' ||
  fail "WorkArea.dat has no Window/GroupBoxE=100"
