# desktop: monitors left
# fresh: yes
# The work-area page on two monitors, the second left of the primary: the combo box lists
# both, with the minus signs, opens on the primary, and choosing the second shows its edges.
require_rimfold
require_xdotool
start_resident
open_config
activate_config
keys alt+k
eventually "the work-area page" 1 dialog_page
combo="$(dlg $ID_MONITORS)"
items="$(ctl items "$combo")"
grep -qxF "モニタ #$(grep -n '(0,0)-(1920,1080)' <<<"$items" | cut -d: -f1) [(0,0)-(1920,1080)]" <<<"$items" ||
  fail "no item of the primary: $items"
second="$(grep -n -- '(-1280,0)-(0,1024)' <<<"$items" | cut -d: -f1)"
[ -n "$second" ] || fail "no item of the second monitor: $items"
check_eq "monitor items" 2 "$(wc -l <<<"$items")"
check_eq "the item of the second monitor" "モニタ #$second [(-1280,0)-(0,1024)]" "$(sed -n "${second}p" <<<"$items")"
primary=$(( $(grep -n '(0,0)-(1920,1080)' <<<"$items" | cut -d: -f1) - 1 ))
check_eq "selected at the start: the primary" "$primary" "$(ctl selected "$combo")"

# Open the list, close it again with Esc (the focus stays), then the arrow key chooses.
click_rect "$(ctl rect "$combo")"
keys Escape
if [ "$second" -gt "$((primary + 1))" ]; then keys Down; else keys Up; fi
eventually "selected" "$((second - 1))" ctl selected "$combo"
eventually "edges of the second monitor" "0 984 -1280 0" dialog_edges
check_eq "left caption" "左(&L) [-1280]" "$(ctl title "$(dlg $ID_GroupBoxLeft)")"
shot second-monitor
keys Escape
wait_dialog_hidden 2000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
