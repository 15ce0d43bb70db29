# desktop: shell
# fresh: yes
# Rimfold in English, chosen in the tray menu's 言語 / Language: a close before any choice
# leaves Rimfold.ini byte for byte; after the choice the tip, the dialog's three pages, the
# countdown box and the work-area question speak English (read back from the windows, and
# photographed); 日本語 and English again from the menu, the dialog following each at its next
# show, and the last choice stored.
require_rimfold
require_xdotool
# Rows of the menu as Wine shows it (the elevated command is hidden there).
ROW_LANGUAGE=9
ini='[Tray]\r\nConstraints=0\r\nStop=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\nReturnWindows=1\r\n\r\n[Key]\r\nStop=\r\n\r\n'
settings_file "$ini"
mkdir -p "$(data_dir)"
printf '[Message]\r\nEnabled=1\r\n' >"$(data_dir)/WorkArea.dat"
start_resident
wait_started
cp "$DATA_DIR/Rimfold.ini" "$CASE_DIR/before.ini"
ctl close "$MAIN_HWND" >/dev/null || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
cmp -s "$CASE_DIR/before.ini" "$DATA_DIR/Rimfold.ini" ||
  fail "a close without a choice changed Rimfold.ini: $(tr '\r\n' '  ' <"$DATA_DIR/Rimfold.ini")"

start_resident
expect_tray running 5000
open_tray_menu
open_submenu "$MENU_HWND" "$ROW_LANGUAGE"
check_eq "rows of the language submenu" 2 "$(menu_rows "$SUBMENU_HWND" | wc -l)"
shot menu-language
menu_click "$SUBMENU_HWND" 1
wait_menu_gone 2000
open_tray_menu
shot menu-english
dismiss_tray_menu
# Stopped, the tip says so in English.
tray_click 1 2
TRAY_STOPPED_TIP="Rimfold - Stopped" expect_tray stopped 3000
tray_click 1 2
expect_tray running 3000

open_config
activate_config
check_eq "the processed windows' box" "[&Processed windows]" "$(ctl text "$(dlg $ID_GROUP_E)")"
check_eq "the exclusions' box" "[E&xcluded windows]" "$(ctl text "$(dlg $ID_GroupBoxD)")"
wait_still "$CONFIG"
shot page-exclusions
keys alt+w
eventually "the page after Alt+W" 1 dialog_page
top="$(ctl text "$(dlg $ID_GROUP_TOP)")"
[[ "$top" == "&Top ["*"]" ]] || fail "the top edge's box reads '$top'"
check_eq "the notice" "&Notify on change" "$(ctl text "$(dlg $ID_NOTIFY)")"
wait_still "$CONFIG"
shot page-work-area
keys alt+h
eventually "the page after Alt+H" 2 dialog_page
check_eq "the hotkey's box" "Stop / resume" "$(ctl text "$(dlg $ID_GroupBox8)")"
wait_still "$CONFIG"
shot page-hotkey
# As small as it goes, every toolbar button still whole.
dialog_to_smallest
for page in "e 0 $ID_TOOLBAR_EXE $ID_ADD $ID_DEL $ID_CLEAR $ID_MAX $ID_DESKTOP $ID_EXE_CLOSE" \
  "w 1 $ID_TOOLBAR_AREA $ID_DEFAULTS $ID_APPLY $ID_TBWorkAreaClose" "h 2 $ID_TOOLBAR_KEY $ID_KEY_CLOSE"; do
  read -r key index bar buttons <<<"$page"
  keys "alt+$key"
  eventually "the page after Alt+$key" "$index" dialog_page
  toolbar_holds "$bar" $buttons
  wait_still "$CONFIG"
  shot "smallest-$index"
done
keys Escape
wait_dialog_hidden 3000

# Back to Japanese from the menu, and the dialog follows at its next show; then English again.
choose_language() {  # ROW: 0 日本語, 1 English
  open_tray_menu
  open_submenu "$MENU_HWND" "$ROW_LANGUAGE"
  menu_click "$SUBMENU_HWND" "$1"
  wait_menu_gone 2000
}
choose_language 0
tray_click 1 2
expect_tray stopped 3000
tray_click 1 2
expect_tray running 3000
open_config
check_eq "the processed windows' box in Japanese" "[処理したウィンドウ(&E)]" "$(ctl text "$(dlg $ID_GROUP_E)")"
keys Escape
wait_dialog_hidden 3000
choose_language 1

# A display change: the countdown and then the question, both found by their English
# captions, which is how Rimfold finds them too.
set_mode 1280 1024
box="$(wait_box "Rimfold - (10 s)" 5000)"
check_eq "the countdown's text" "Click [OK] once the display has settled." "$(box_text "$box")"
shot countdown
click_rect "$(ctl rect "$(ctl child "$box" 1)")"
question="$(wait_box "Rimfold - Work area check" 3000)"
check_eq "the question's header" "The size of the work area has changed.
Set the work area again?" "$(box_text "$question" | head -n 2)"
shot question
click_rect "$(ctl rect "$(ctl child "$question" 7)")"
wait_gone "$question" 3000

# The choice is the user's and stored.
ctl close "$MAIN_HWND" >/dev/null || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
grep -qx "Language=en" <(tr -d '\r' <"$DATA_DIR/Rimfold.ini") ||
  fail "Rimfold.ini lacks Language=en: $(tr '\r\n' '  ' <"$DATA_DIR/Rimfold.ini")"
