# desktop: shell
# fresh: yes
# The guide's pictures at 100 %: the tray menu and the dialog's three pages, each cut to
# its window. `make screenshots` writes them into docs/images (GUIDE_IMAGES); in the test
# run they go with the other screenshots, and each must show its window.
require_rimfold
require_xdotool
out="${GUIDE_IMAGES:-$DESKTOP_TESTS_SHOTS/guide}"
mkdir -p "$out"

# picture NAME HWND: the window's rectangle cut out of the whole screen.
picture() {
  local l t r b
  read -r l t r b <<<"$(ctl rect "$2")"
  (( r - l > 100 && b - t > 100 )) || fail "$1: the window is $l $t $r $b"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out/$1.png" 2>/dev/null ||
    fail "no picture $1"
}

# A window that stuck out and was put back, so that the processed list shows an entry.
printf 'w|無題 - メモ帳|Notepad|00CF0000|0|1700,300,400,300|\n' >"$CASE_DIR/windows.txt"
windows_start "$CASE_DIR/windows.txt"
w="$(report_hwnd w)"
start_resident
expect_tray running 5000
windows_send foreground w
wait_rect "the window off the right edge" "$w" "1520 300 1920 600" 3000

open_tray_menu
picture tray-menu "$MENU_HWND"
dismiss_tray_menu
open_config
activate_config
for page in "p exclusions 0" "k work-area 1" "h hotkey 2"; do
  read -r key name index <<<"$page"
  keys "alt+$key"
  check_eq "page after Alt+$key" "$index" "$(ctl selected "$(dlg $ID_PAGES)")"
  sleep 0.3
  picture "page-$name" "$CONFIG"
done
ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
wait_exit "$RIMFOLD_PID" 5000
