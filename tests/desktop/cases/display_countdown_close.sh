# desktop: shell
# fresh: yes
# A close while the display-change countdown box is up, after 1920x1080 became 1280x1024:
# the tables still hold the old layout, whose area must not be filed under the new
# layout's section (it would reach past the new screen at the next start).
require_rimfold
start_resident
wait_started
set_mode 1280 1024
wait_box "Rimfold - (10秒)" 5000 >/dev/null
check_eq "answer to WM_QUERYENDSESSION" 1 "$(ctl query-end-session "$MAIN_HWND" 5000)"
wait_exit "$RIMFOLD_PID" 5000
file="$(data_dir)/WorkArea.dat"
# The Right and Bottom of the 1280x1024 section, if there is one.
edges="$(tr -d '\r' <"$file" | awk '/^\[/ { on = index($0, "(1280,1024)") > 0 }
  on && /^(Right|Bottom)=/ { sub(/^[A-Za-z]+=/, ""); printf "%s ", $0 }')"
read -r bottom right <<<"$edges"
(( ${right:-0} <= 1280 && ${bottom:-0} <= 1024 )) ||
  fail "the 1280x1024 section reaches past the screen: Bottom=$bottom Right=$right"
grep -qF "[#1 (0,0) - (1920,1080) : " "$file" ||
  fail "the old layout's section is missing: $(grep '^\[#' "$file")"
