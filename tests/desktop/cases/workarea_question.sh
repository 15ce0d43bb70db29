# desktop: shell
# fresh: yes
# With "変更時に通知" ticked, a display change ends in the question whether to set the work
# areas again: the two header lines, system-modal; unanswered it closes with No after 10 s;
# Yes opens the dialog on its work-area page, and correction resumes only after its close.
# Wine's taskbar moves only after the program's tables were rebuilt: that settling of the
# new layout is followed silently, with no second question (the watch asks about the user's
# own changes of the taskbar, see workarea_watch).
require_rimfold
require_xdotool
mkdir -p "$(data_dir)"
printf '[Message]\r\nEnabled=1\r\n' >"$(data_dir)/WorkArea.dat"
one_window 300,300,500,300
start_resident
wait_window Shell_TrayWnd - 1000 >/dev/null
caption="Rimfold - 作業領域の確認"
header="作業領域の大きさに変更がありました。
作業領域を再設定しますか？"

question() {  # a display change, its countdown confirmed: prints the question box
  local box
  set_mode "$@"
  box="$(wait_box "Rimfold - (10秒)" 5000)"
  click_rect "$(ctl rect "$(ctl child "$box" 1)")"
  wait_box "$caption" 3000
}

box="$(question 1280 1024)"
shown=$(date +%s%3N)
check_eq "the question" "$header" "$(box_text "$box")"
(( 0x$(ctl style "$box" | cut -d' ' -f2) & 0x8 )) || fail "the question is not system-modal (topmost)"
shot question
wait_gone "$box" 13000
closed=$(( $(date +%s%3N) - shown ))
(( closed >= 9000 )) || fail "the question closed after $closed ms, before its 10 s"
config="$(ctl find TConfigForm Rimfold)"
check_eq "the dialog after No" 0 "$(ctl state "$config" | cut -d' ' -f2)"

# The taskbar moves after the rebuild and Windows would announce it; Wine announces nothing,
# and Rimfold sees the new area once another program has read the monitors, as this wait
# does. No question about it, also when announced twice: only time can tell.
settled_bottom() { ctl monitors | sed -n 2p | awk '{ print $8 }'; }
taskbar_moved() { [ "$(settled_bottom)" != 1060 ]; }
within "the taskbar at its new place" 10000 taskbar_moved
for _ in 1 2; do
  ctl setting-change 0x2F
  quiet_wait
  check_eq "questions about the settling" "" "$(ctl find "#32770" "$caption" 2>/dev/null)"
done

# Yes: the dialog on its work-area page; the polling timer waits for its close.
box="$(question 1920 1080)"
click_rect "$(ctl rect "$(ctl child "$box" 6)")"
CONFIG="$(ctl wait-find TConfigForm Rimfold 3000)" || fail "Yes did not open the dialog"
check_eq "the dialog's page" 1 "$(ctl selected "$(dlg $ID_PAGES)")"
nudge() {  # w to the front and moved: a sweep follows at the next tick, when ticks run
  windows_send foreground w
  windows_send move w "$1" 300 500 300
  windows_send event w 0x800B
}
nudge 1700
quiet_wait
expect_rect "no correction while the dialog is open" "$W" "1700 300 2200 600"
ctl close "$CONFIG" || fail "WM_CLOSE not posted to the dialog"
wait_dialog_hidden 2000
nudge 1710
wait_rect "corrected after the dialog's close" "$W" "1420 300 1920 600" 3000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
