# desktop: shell
# fresh: yes
# The guides' pictures at 100 %, in Japanese and then (images/en-*) in English: the tray
# icon with its tooltip, the tray menu, the dialog's three pages (notepad corrected and then
# added to the exclusions), the countdown box of a display change and the work-area question
# after it, each cut to its window. `make screenshots` writes them into docs/images
# (GUIDE_IMAGES); in the test run they go with the other screenshots, and each must show its
# window.
require_rimfold
require_xdotool
out="${GUIDE_IMAGES:-$DESKTOP_TESTS_SHOTS/guide}"
mkdir -p "$out"

# picture NAME HWND: the window's rectangle cut out of the whole screen.
picture() {
  local l t r b
  read -r l t r b <<<"$(ctl rect "$2")"
  (( r - l > 100 && b - t > 60 )) || fail "$1: the window is $l $t $r $b"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out/$1.png" 2>/dev/null ||
    fail "no picture $1"
}

# The work-area question is asked only with its notice ticked.
mkdir -p "$(data_dir)"
printf '[Message]\r\nEnabled=1\r\n' >"$(data_dir)/WorkArea.dat"
# take_pictures PREFIX KEYS COUNTDOWN QUESTION: one pass, in the language PREFIX stands for
# ("" Japanese, "en-" English): KEYS are the three pages' access keys, and the boxes of the
# display change are found by their captions.
take_pictures() {
local prefix=$1 countdown=$3 asked=$4 pages
read -r -a pages <<<"$2"
start_resident
expect_tray running 5000
[ -n "$prefix" ] && { ctl command "$MAIN_HWND" "$(tray_command_id PPLanguage1)" >/dev/null ||
  fail "English not chosen"; }
# A real program's window off the right edge, put back, so that the processed list shows it.
[ -n "$pad" ] || start_bg notepad
pad="$(ctl wait-find Notepad - 10000)" || fail "notepad did not open"
ctl move "$pad" 1700 300 400 300 || fail "could not move notepad"
# Wine raises no event for the move: the one Windows would raise.
ctl event "$pad" 0x800B || fail "could not raise the move's event"
wait_rect "notepad off the right edge" "$pad" "1520 300 1920 600" 5000

# The icon and its tooltip, in the corner of the taskbar.
xdotool mousemove "$TRAY_X" "$TRAY_Y"
wait_tray_tip "Rimfold" 3000
tip="$(ctl wait-find tooltips_class32 - 3000)" || fail "no tooltip over the icon"
wait_still "$tip"
x0=$((TRAY_X - 200)) y0=$((TRAY_Y - 36))
import -window root -crop "$((1920 - x0))x$((1080 - y0))+$x0+$y0" +repage "$out/${prefix}tray-icon.png" 2>/dev/null ||
  fail "no picture tray-icon"

open_tray_menu
picture "${prefix}tray-menu" "$MENU_HWND"
dismiss_tray_menu
open_config
activate_config
# notepad's program key, the third row, added to the exclusions.
keys "alt+${pages[0]}"
click_rect "$(ctl item-rect "$(dlg $ID_LIST_E)" 2)"
keys alt+a
first_exclusion() { ctl items "$(dlg $ID_LIST_D)" | head -n 1; }
eventually "the exclusion" "NOTEPAD.EXE," first_exclusion
for page in "${pages[0]} exclusions 0" "${pages[1]} work-area 1" "${pages[2]} hotkey 2"; do
  read -r key name index <<<"$page"
  keys "alt+$key"
  eventually "page after Alt+$key" "$index" dialog_page
  wait_still "$CONFIG"
  picture "${prefix}page-$name" "$CONFIG"
done
ctl close "$CONFIG" || fail "WM_CLOSE not posted to the dialog"
wait_dialog_hidden 3000

# A display change: the countdown box, then the question.
set_mode 1280 1024
box="$(wait_box "$countdown" 5000)"
wait_still "$box"
picture "${prefix}box-countdown" "$box"
click_rect "$(ctl rect "$(ctl child "$box" 1)")"
question="$(wait_box "$asked" 5000)"
wait_still "$question"
picture "${prefix}box-work-area" "$question"
ctl command "$question" 7 || fail "could not answer No"
wait_gone "$question" 3000
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
}

pad=""
take_pictures "" "p k h" "Rimfold - (10秒)" "Rimfold - 作業領域の確認"
# English, from the same start: the first screen again, notepad off its edge again, and no
# exclusions yet.
set_mode 1920 1080
eventually "the first screen again" "1920 1080" ctl screen
rm -f "$(data_dir)/Disable.log"
take_pictures "en-" "e w h" "Rimfold - (10 s)" "Rimfold - Work area check"
