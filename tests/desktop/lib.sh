# Helpers for desktop cases; run.sh sources this before each case file.
# A case runs with WINEPREFIX, DISPLAY, WINEDEBUG, WINE64, RIMFOLD_HELPERS,
# RIMFOLD_EXE, CASE_NAME and CASE_DIR (an empty work dir of its own) set, and
# "set -u". It passes by reaching its end, fails with `fail REASON` (or any
# non-zero exit) and skips with `skip REASON`.
set -u

fail() {
  # The first failure is the one to report: a helper failing inside $(...) exits only its
  # subshell, and the check that then sees its empty output fails again.
  [ -s "$CASE_DIR/reason" ] || echo "$*" >"$CASE_DIR/reason"
  echo "FAIL: $*"
  exit 1
}

skip() {
  echo "$*" >"$CASE_DIR/reason"
  exit 77
}

# What most cases need: the built program, and xdotool for real input.
require_rimfold() { [ -f "$RIMFOLD_EXE" ] || skip "Rimfold.exe not built ($RIMFOLD_EXE)"; }
require_xdotool() { command -v xdotool >/dev/null || skip "xdotool missing"; }

# check_eq WHAT EXPECTED ACTUAL
check_eq() {
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# Windows path of a Unix path (Wine maps / to Z:).
winpath() {
  printf 'Z:%s' "${1//\//\\}"
}

# A helper in the foreground, bounded in time; its stdout is the result.
helper() {
  local name="$1"
  shift
  timeout -k 2 20 "$WINE64" "$RIMFOLD_HELPERS/$name.exe" "$@" </dev/null
}

ctl() {
  helper rf_ctl "$@"
}

# A Windows program in the background, ended by the runner after the case.
# Sets BG_PID.
start_bg() {
  "$WINE64" "$@" </dev/null >>"$CASE_DIR/bg.log" 2>&1 &
  BG_PID=$!
  echo "$BG_PID" >>"$CASE_DIR/pids"
}

# wait_file PATH MS: until PATH exists (non-empty), or fail.
wait_file() {
  local i
  for ((i = 0; i < $2; i += 25)); do
    [ -s "$1" ] && return 0
    sleep 0.025
  done
  fail "no $1 within $2 ms"
}

# windows_start DESCRIPTION-FILE [TAG]: rf_windows with that description;
# returns once its report exists. Sets WINDOWS_REPORT and WINDOWS_TAG.
windows_start() {
  WINDOWS_TAG="${2:-$CASE_NAME}"
  WINDOWS_REPORT="$CASE_DIR/windows-$WINDOWS_TAG.report"
  rm -f "$WINDOWS_REPORT"
  start_bg "$RIMFOLD_HELPERS/rf_windows.exe" "$(winpath "$1")" "$(winpath "$WINDOWS_REPORT")" "$WINDOWS_TAG"
  wait_file "$WINDOWS_REPORT" 10000
}

# windows_send COMMAND...: a command to the rf_windows started last.
windows_send() {
  ctl send "$WINDOWS_TAG" "$@" || fail "rf_windows refused: $*"
}

# report_line NAME: "hwnd left top right bottom state" of a reported window.
report_line() {
  awk -v n="$1" '$1 == n { $1 = ""; sub(/^ /, ""); print; found = 1 } END { exit !found }' "$WINDOWS_REPORT" ||
    fail "window '$1' missing from the report"
}

# report_hwnd NAME
report_hwnd() {
  report_line "$1" | awk '{ print $1 }'
}

# monitors_sorted: "rf_ctl monitors" with the primary first and the others by
# left edge, so cases need not depend on enumeration order.
monitors_sorted() {
  local out
  out="$(ctl monitors)" || fail "rf_ctl monitors failed"
  head -n 1 <<<"$out"
  tail -n +2 <<<"$out" | sort -k9,9nr -k1,1n
}

# The data folder of the prefix's user (where Rimfold keeps its four files).
data_dir() {
  local users="$WINEPREFIX/drive_c/users" user
  user="$(ls "$users" | grep -vx Public | head -n 1)"
  printf '%s/%s/AppData/Roaming/Quenbrook/Rimfold' "$users" "$user"
}

# expect_rect WHAT HWND "left top right bottom"
expect_rect() {
  check_eq "$1" "$3" "$(ctl rect "$2")"
}

# run_oneshot: Rimfold.exe /Q in the foreground; sets ONESHOT_MS (wall time) and fails
# unless it ends with exit code 0 within 20 s.
run_oneshot() {
  local t0 rc
  t0=$(date +%s%3N)
  timeout -k 2 20 "$WINE64" "$RIMFOLD_EXE" /Q </dev/null >>"$CASE_DIR/rimfold.log" 2>&1
  rc=$?
  ONESHOT_MS=$(( $(date +%s%3N) - t0 ))
  check_eq "Rimfold /Q exit code" 0 "$rc"
}

# wait_window CLASS TITLE MS: prints the handle once a top-level window (visible or
# not) exists, or fails.
wait_window() {
  local i h
  for ((i = 0; i < $3; i += 50)); do
    if h="$(ctl find "$1" "$2" 2>/dev/null)" && [ -n "$h" ]; then
      echo "$h"
      return 0
    fi
    sleep 0.05
  done
  fail "no window $1 '$2' within $3 ms"
}

# wait_rect WHAT HWND "left top right bottom" MS: until the window has that rectangle.
wait_rect() {
  local i r
  for ((i = 0; i < $4; i += 50)); do
    r="$(ctl rect "$2")"
    [ "$r" = "$3" ] && return 0
    sleep 0.05
  done
  fail "$1: expected '$3' within $4 ms, got '$r'"
}

# start_resident: Rimfold.exe without arguments in the background; sets MAIN_HWND.
start_resident() {
  start_bg "$RIMFOLD_EXE"
  RIMFOLD_PID=$BG_PID
  MAIN_HWND="$(wait_window TMainForm Rimfold 10000)"
}

# wait_started: until Rimfold's start is over (the main window exists well before that):
# the configuration dialog's window is made after the main form has set up its hook and
# timer, and a sent message is answered once the message loop runs.
wait_started() {
  wait_window TConfigForm Rimfold 10000 >/dev/null
  within "Rimfold answering after its start" 10000 ctl text "$MAIN_HWND"
}

# wait_hotkey_taken MODS VK MS: until a program holds that hotkey (MOD_ALT 1, MOD_CONTROL 2,
# MOD_SHIFT 4), e.g. Rimfold once its start has registered the stop hotkey.
wait_hotkey_taken() {
  local i
  for ((i = 0; i < $3; i += 50)); do
    ctl hotkey-taken "$1" "$2" && return 0
    sleep 0.05
  done
  fail "hotkey $1+$2 not registered within $3 ms"
}

# wait_exit PID MS: until the process has ended, or fail.
wait_exit() {
  local i
  for ((i = 0; i < $2; i += 50)); do
    if ! kill -0 "$1" 2>/dev/null; then
      # Wine tears a gone process's windows down a moment later; a start before that
      # would find the old main window.
      if [ "$1" = "${RIMFOLD_PID:-}" ] && [ -n "${MAIN_HWND:-}" ]; then wait_gone "$MAIN_HWND" 5000; fi
      return 0
    fi
    sleep 0.05
  done
  fail "process $1 still running after $2 ms"
}

# settings_file TEXT: Rimfold.ini before the program starts (printf escapes allowed).
# Sets DATA_DIR.
settings_file() {
  DATA_DIR="$(data_dir)"
  mkdir -p "$DATA_DIR"
  printf "$1" >"$DATA_DIR/Rimfold.ini"
}

# hold_file PATH MS: another program holds PATH open without sharing for MS ms, as a backup
# or sync program does; returns once it is held. Sets HOLD_PID.
hold_file() {
  local marker="$CASE_DIR/held.$RANDOM"
  start_bg "$RIMFOLD_HELPERS/rf_ctl.exe" hold "$(winpath "$1")" "$2" "$(winpath "$marker")"
  HOLD_PID=$BG_PID
  wait_file "$marker" 10000
}

# one_window "x,y,w,h": rf_windows with a single plain window named w; sets W.
one_window() {
  printf 'w|Moved|RfCase|00CF0000|0|%s|\n' "$1" >"$CASE_DIR/one-window.txt"
  windows_start "$CASE_DIR/one-window.txt"
  W="$(report_hwnd w)"
}

# ---- The tray icon and its menu (shell desktop) ----

# shot NAME: a screenshot kept as $DESKTOP_TESTS_SHOTS/<case>-NAME.png, to be looked at.
shot() {
  mkdir -p "$DESKTOP_TESTS_SHOTS"
  import -window root "$DESKTOP_TESTS_SHOTS/$CASE_NAME-$1.png" 2>/dev/null || fail "no screenshot $1"
}

# wait_tray_tip TEXT MS: until a tray icon has exactly that tooltip; sets TRAY_X, TRAY_Y
# (its centre).
wait_tray_tip() {
  local i line
  for ((i = 0; i < $2; i += 50)); do
    line="$(ctl tray-tip-rects | awk -F'\t' -v t="$1" '$2 == t { print $1; exit }')"
    if [ -n "$line" ]; then
      read -r l t r b <<<"$line"
      TRAY_X=$(( (l + r) / 2 ))
      TRAY_Y=$(( (t + b) / 2 ))
      return 0
    fi
    sleep 0.05
  done
  fail "no tray icon with the tip '$1' within $2 ms; tips: $(ctl tray-tips | tr '\n' '|')"
}

# wait_no_tray_tip TEXT MS: until no tray icon has that tooltip.
wait_no_tray_tip() {
  local i
  for ((i = 0; i < $2; i += 50)); do
    ctl tray-tips | grep -qxF "$1" || return 0
    sleep 0.05
  done
  fail "a tray icon still has the tip '$1' after $2 ms"
}

# tray_icon_look: running|stopped|unknown, from the icon's colours on screen (the running
# picture has a teal rim, the stopped one a red pause sign).
tray_icon_look() {
  local colours
  # 24 x 24: the whole icon at 150 % scaling, and only the taskbar's grey around a smaller one.
  colours="$(import -window root -crop 24x24+$((TRAY_X - 12))+$((TRAY_Y - 12)) png:- 2>/dev/null |
    convert png:- -format %c histogram:info:- 2>/dev/null)"
  if grep -qi '#FF0000' <<<"$colours"; then
    echo stopped
  elif grep -qi '#008080' <<<"$colours"; then
    echo running
  else
    echo unknown
  fi
}

# expect_tray STATE MS: tip and picture of running|stopped, within MS. TRAY_STOPPED_TIP is
# the stopped tip in the language in force (Japanese unless a case says otherwise).
expect_tray() {
  local tip="Rimfold" i look
  [ "$1" = stopped ] && tip="${TRAY_STOPPED_TIP:-Rimfold - 停止}"
  wait_tray_tip "$tip" "$2"
  for ((i = 0; i < 1000; i += 50)); do
    look="$(tray_icon_look)"
    [ "$look" = "$1" ] && return 0
    sleep 0.05
  done
  fail "tray tip '$tip' but the icon looks $look"
}

# tray_click BUTTON [REPEAT]: clicks the icon found by the last wait_tray_tip.
tray_click() {
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click --repeat "${2:-1}" --delay 80 "$1"
}

# A popup menu of the program, or nothing.
menu_window() {
  ctl find "#32768" - 2>/dev/null
}

# open_tray_menu: right-click on the icon; sets MENU_HWND once the menu shows. The pointer
# then leaves the icon so that no tooltip covers the menu.
open_tray_menu() {
  tray_click 3
  # On a loaded machine Wine's explorer was seen to drop a click now and then; a user
  # clicks again.
  MENU_HWND="$(ctl wait-find "#32768" - 3000)" ||
    { tray_click 3; MENU_HWND="$(ctl wait-find "#32768" - 3000)"; } ||
    fail "no menu after two right-clicks on the icon"
  xdotool mousemove 600 400
  wait_menu_painted "$MENU_HWND"
}

# wait_menu_painted HWND: until the shown menu has rows of text on the screen.
wait_menu_painted() {
  local i
  for ((i = 0; i < 3000; i += 50)); do
    [ -n "$(menu_rows "$1" 2>/dev/null | head -n 1)" ] && return 0
    sleep 0.05
  done
  fail "menu $1 not painted within 3000 ms"
}

# wait_still HWND: until the window looks the same on two screen reads in a row (painted).
wait_still() {
  local l t r b last="" now i
  read -r l t r b <<<"$(ctl rect "$1")" || fail "window $1 is gone"
  for ((i = 0; i < 3000; i += 100)); do
    now="$(import -window root -crop "$((r - l))x$((b - t))+$l+$t" rgb:- 2>/dev/null | md5sum)"
    [ "$now" = "$last" ] && return 0
    last="$now"
    sleep 0.1
  done
  fail "window $1 still changing after 3000 ms"
}

# pixel X Y: the colour of one pixel of the screen.
pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | awk 'NR == 2 { print $3 }'
}

# dismiss_tray_menu: a click beside the open menu closes it. Wine closes the menu on the
# press and the release then reaches no window, so the system keeps the left button down
# (GetAsyncKeyState) until the next full click: one more on the empty desktop.
dismiss_tray_menu() {
  xdotool mousemove 300 600 click 1
  wait_menu_gone 2000
  xdotool click 1
}

# wait_menu_gone MS: until no popup menu is shown.
wait_menu_gone() {
  local i
  for ((i = 0; i < $1; i += 50)); do [ -z "$(menu_window)" ] && return 0; sleep 0.05; done
  fail "a menu still shown after $1 ms"
}

# expect_no_menu MS: no popup menu shows within MS.
expect_no_menu() {
  local i
  for ((i = 0; i < $1; i += 50)); do
    [ -n "$(menu_window)" ] && [ "$(ctl state "$(menu_window)" | cut -d' ' -f2)" = 1 ] &&
      fail "a menu opened"
    sleep 0.05
  done
}

# menu_rows HWND: the y of each row of text in a shown menu, top to bottom, read from the
# screen (separators are grey lines, not text).
menu_rows() {
  local rect l t r b
  rect="$(ctl rect "$1")" || fail "menu $1 is gone"
  read -r l t r b <<<"$rect"
  import -window root -crop $((r - l - 8))x$((b - t - 6))+$((l + 4))+$((t + 3)) png:- 2>/dev/null |
    convert png:- +repage -colorspace gray -threshold 25% -negate -scale "1x$((b - t - 6))!" \
      -depth 8 txt:- 2>/dev/null |
    awk -F'[ ,:]+' -v top=$((t + 3)) '
      NR > 1 { dark = ($0 !~ /#000000|gray\(0\)/) }
      NR > 1 && dark && start < 0 { start = $2 }
      NR > 1 && !dark && start >= 0 { if ($2 - start >= 4) print top + int((start + $2) / 2); start = -1 }
      BEGIN { start = -1 }'
}

# menu_click HWND N: a left click on row N (from 0) of the menu.
menu_click() {
  local rows y rect l t r b
  rows=($(menu_rows "$1"))
  y="${rows[$2]:-}"
  [ -n "$y" ] || fail "the menu has no row $2 (rows: ${rows[*]})"
  read -r l t r b <<<"$(ctl rect "$1")"
  wait_row_highlighted "$1" $((l + 40)) "$y" "$2"
  xdotool click 1
}

# wait_row_highlighted HWND X Y N: moves the pointer onto row N and waits until the menu
# shows it highlighted (the row's left margin changes colour), so that the click lands on a
# menu that has seen the pointer arrive.
wait_row_highlighted() {
  local l t r b before i
  read -r l t r b <<<"$(ctl rect "$1")"
  before="$(pixel $((l + 6)) "$3")"
  xdotool mousemove "$2" "$3"
  for ((i = 0; i < 2000; i += 50)); do
    [ "$(pixel $((l + 6)) "$3")" != "$before" ] && return 0
    sleep 0.05
  done
  fail "row $4 of menu $1 not highlighted within 2000 ms"
}

# open_submenu HWND N: hovers row N of the menu; sets SUBMENU_HWND once its submenu shows.
open_submenu() {
  local rows i h l t r b
  rows=($(menu_rows "$1"))
  [ -n "${rows[$2]:-}" ] || fail "the menu has no row $2"
  read -r l t r b <<<"$(ctl rect "$1")"
  xdotool mousemove $((l + 40)) "${rows[$2]}"
  for ((i = 0; i < 3000; i += 50)); do
    h="$(menu_window)"
    if [ -n "$h" ] && [ "$h" != "$1" ]; then
      SUBMENU_HWND="$h"
      # Along the row into the submenu, so that it stays open.
      xdotool mousemove $((r - 10)) "${rows[$2]}"
      wait_menu_painted "$SUBMENU_HWND"
      return 0
    fi
    sleep 0.05
  done
  fail "no submenu from row $2"
}

# sign_in_entry: Rimfold's per-user Run value (start at sign-in), empty when there is none.
sign_in_entry() {
  "$WINE64" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Rimfold 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *Rimfold *REG_SZ *//p'
}
# wait_sign_in_entry TEXT MS: until the Run value is TEXT (empty: gone).
wait_sign_in_entry() {
  local i
  for ((i = 0; i < $2; i += 50)); do [ "$(sign_in_entry)" = "$1" ] && return 0; sleep 0.05; done
  check_eq "the sign-in entry" "$1" "$(sign_in_entry)"
}

# ---- The configuration dialog ----

# Control ids of the dialog, read from the program's own table (src/shell/config_form_ids.h:
# ID_<its name>, e.g. ID_ListBoxE), so that a control added there moves nothing here; the
# names the cases use stand for them.
eval "$(sed -n 's/^  \([A-Za-z0-9]*\) = \([0-9]*\),.*/ID_\1=\2/p' "$RIMFOLD_ROOT/src/shell/config_form_ids.h")"
[ -n "${ID_PageControl:-}" ] || { echo "no control ids in src/shell/config_form_ids.h" >&2; exit 2; }
ID_PAGES=$ID_PageControl ID_TOOLBAR_EXE=$ID_ToolBarExe ID_GROUP_E=$ID_GroupBoxE
ID_LIST_E=$ID_ListBoxE ID_SPLITTER=$ID_Splitter ID_LIST_D=$ID_ListBoxD
ID_TOOLBAR_AREA=$ID_ToolBarWorkArea ID_MONITORS=$ID_CBMonitor ID_GROUP_TOP=$ID_GroupBoxTop
ID_EDIT_TOP=$ID_EditTop ID_EDIT_LEFT=$ID_EditLeft ID_EDIT_RIGHT=$ID_EditRight
ID_GROUP_BOTTOM=$ID_GroupBoxBottom ID_EDIT_BOTTOM=$ID_EditBottom ID_NOTIFY=$ID_CHKMessage
ID_TOOLBAR_KEY=$ID_ToolBar1 ID_EDIT_KEY=$ID_EditKeyStop
ID_ADD=$ID_TBExeAdd ID_DEL=$ID_TBExeDel ID_CLEAR=$ID_TBListEClear ID_MAX=$ID_TBMAXDisable
ID_DESKTOP=$ID_TBDisableDeskTop ID_DEFAULTS=$ID_TBWorkAreaDef ID_EXE_CLOSE=$ID_TBExeClose
ID_APPLY=$ID_TBWorkAreaApply ID_KEY_CLOSE=$ID_TBHotKeyClose
# tray_command_id NAME: a tray menu command's id; they follow the menu's order from PPStop
# (src/app/tray_menu.h).
tray_command_id() {
  local id
  id="$(awk -v name="$1" '/^enum TrayMenuId/ { on = 1; next } on && /^};/ { exit }
    on { sub(/\/\/.*/, ""); gsub(/[ ,]/, "") } on && $0 != "" { split($0, f, "="); n = f[2] != "" ? f[2] : n + 1
      if (f[1] == name) print n }' "$RIMFOLD_ROOT/src/app/tray_menu.h")"
  [ -n "$id" ] || fail "no tray command $1 in src/app/tray_menu.h"
  echo "$id"
}
ID_CONFIG_COMMAND="$(tray_command_id PPConfig)"  # 設定(&C)

# open_config: the dialog through its menu command; sets CONFIG once it shows.
open_config() {
  ctl command "$MAIN_HWND" "$ID_CONFIG_COMMAND" >/dev/null || fail "the command did not reach Rimfold"
  CONFIG="$(ctl wait-find TConfigForm Rimfold 3000)" || fail "the dialog did not show"
}

# dlg ID: the handle of a control of the dialog.
dlg() {
  ctl child "$CONFIG" "$1" || fail "the dialog has no control $1"
}

# pointer_to X Y: the pointer to a point in Windows screen coordinates. X's root window
# starts at the virtual screen's top-left, which a monitor left of the primary moves.
pointer_to() {
  if [ -z "${VIRTUAL_ORIGIN:-}" ]; then
    VIRTUAL_ORIGIN="$(ctl virtual-screen | cut -d' ' -f1,2)" || fail "no virtual screen"
  fi
  local vx vy
  read -r vx vy <<<"$VIRTUAL_ORIGIN"
  xdotool mousemove $(($1 - vx)) $(($2 - vy))
}

# activate_config: a click on the dialog's caption (or its top edge, without a window
# manager), so that keys go to it.
activate_config() {
  local l t r b
  read -r l t r b <<<"$(ctl rect "$CONFIG")"
  pointer_to $(( (l + r) / 2 )) $((t + 8))
  xdotool click 1
  # Without a window manager (the Xorg desktops) X gives the keyboard to no one: the
  # dialog's own X window takes it. On the shell desktop Wine has one X window for all.
  local xwin
  xwin="$(xdotool search --onlyvisible --name '^Rimfold$' 2>/dev/null | head -n 1)"
  [ -n "$xwin" ] && xdotool windowfocus "$xwin" 2>/dev/null
  local i
  for ((i = 0; i < 2000; i += 50)); do [ "$(ctl foreground)" = "$CONFIG" ] && return 0; sleep 0.05; done
  fail "the dialog did not come to the front within 2000 ms"
}

# click_rect "l t r b" [xdotool click args...]: a click in the middle of a rectangle.
# Clicks and keys reach the program in the order sent, but what it makes of them shows
# some time later: the caller waits for that (eventually), not for a time.
click_rect() {
  local l t r b
  read -r l t r b <<<"$1"
  shift
  pointer_to $(( (l + r) / 2 )) $(( (t + b) / 2 ))
  xdotool click "${@:-1}"
}

# click_button TOOLBAR-ID BUTTON-ID: a click on a toolbar button of the dialog.
click_button() {
  local rect
  rect="$(ctl button-rect "$(dlg "$1")" "$2")" || fail "no button $2"
  click_rect "$rect"
}

# button_state TOOLBAR-ID BUTTON-ID: "enabled checked".
button_state() {
  ctl button-state "$(dlg "$1")" "$2"
}

# keys KEY...: key presses to the focused window, a little apart.
keys() {
  xdotool key --delay 80 "$@"
}

# The bound for what a click or a key leads to in the dialog (a page shown, an edit's
# text, a value stored): generous, since a wait for a condition costs nothing when it holds.
STEP_MS=5000

# eventually WHAT EXPECTED COMMAND...: until COMMAND prints EXPECTED, up to STEP_MS; a
# failure names what it printed last. When EXPECTED is what was there before the input, a
# pass proves nothing: wait for an effect of the input first.
eventually() {
  local what="$1" want="$2" got t0
  shift 2
  t0=$(now_ms)
  until got="$("$@" 2>/dev/null)"; [ "$got" = "$want" ]; do
    (( $(now_ms) - t0 > STEP_MS )) && fail "$what: expected '$want', got '$got' after $STEP_MS ms"
    sleep 0.05
  done
}

# dialog_page: the index of the dialog's page shown (exclusions 0, work area 1, hotkey 2).
dialog_page() {
  ctl selected "$(dlg $ID_PAGES)"
}

# dialog_edges: the work-area page's four edits, "top bottom left right".
dialog_edges() {
  echo "$(edit_text $ID_EDIT_TOP) $(edit_text $ID_EDIT_BOTTOM) $(edit_text $ID_EDIT_LEFT) $(edit_text $ID_EDIT_RIGHT)"
}

# edit_text ID: the text of one of the dialog's edits.
edit_text() {
  ctl text "$(dlg "$1")"
}

# wait_dialog_hidden MS
wait_dialog_hidden() {
  local i
  for ((i = 0; i < $1; i += 50)); do
    [ "$(ctl state "$CONFIG" | cut -d' ' -f2)" = 0 ] && return 0
    sleep 0.05
  done
  fail "the dialog is still shown after $1 ms"
}

# ini_value FILE SECTION KEY: a value of an INI file in the data folder.
ini_value() {
  tr -d '\r' <"$1" | awk -v s="[$2]" -v k="$3" '$0 == s { on = 1; next } /^\[/ { on = 0 }
    on && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}

# ---- Display changes ----

# set_mode W H: the display mode changed as a control panel would, in the background: the
# broadcast waits until Rimfold's handler has returned, which its pause holds up.
set_mode() {
  "$WINE64" "$RIMFOLD_HELPERS/rf_ctl.exe" set-mode "$1" "$2" </dev/null >>"$CASE_DIR/set-mode.log" 2>&1 &
  echo "$!" >>"$CASE_DIR/pids"
}

# wait_box CAPTION MS: prints the handle of a message box with that caption once shown.
# display_changed: WM_DISPLAYCHANGE broadcast as Windows sends it, then the countdown box
# confirmed; returns once the box is gone. The tables are rebuilt and the hook set again
# right after that, which nothing shows but the program's answer to the next event: a case
# that needs the hook nudges until the window moves (nudge_until).
display_changed() {
  local box
  "$WINE64" "$RIMFOLD_HELPERS/rf_ctl.exe" display-change </dev/null >/dev/null 2>&1 &
  echo "$!" >>"$CASE_DIR/pids"
  box="$(wait_box "Rimfold - (10秒)" 5000)"
  click_rect "$(ctl rect "$(ctl child "$box" 1)")"
  wait_gone "$box" 2000
}

# nudge_until WHAT HWND "l t r b" MS COMMAND...: COMMAND (an event raised for the window)
# run again every half second or so until the window has that rectangle, up to MS: for the
# moment after a pause, when the program is about to listen again and only its answer
# shows that it does.
nudge_until() {
  local what="$1" hwnd="$2" want="$3" bound="$4" t0 i
  shift 4
  t0=$(now_ms)
  while :; do
    "$@" >/dev/null 2>&1
    for ((i = 0; i < 5; i++)); do
      rect_is "$hwnd" "$want" && return 0
      sleep 0.05
    done
    (( $(now_ms) - t0 > bound )) && fail "$what: not at '$want' within $bound ms (at '$(ctl rect "$hwnd")')"
  done
}

wait_box() {
  ctl wait-find "#32770" "$1" "$2" || fail "no box '$1' within $2 ms"
}

# wait_gone HWND MS: until the window no longer exists.
wait_gone() {
  local i
  for ((i = 0; i < $2; i += 50)); do
    ctl state "$1" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  fail "window $1 still there after $2 ms"
}

# box_has_text HWND: the box's text is there (kept in BOX_TEXT); a box that has gone first
# fails the case, saying whether Rimfold was still running.
box_has_text() {
  if ! ctl state "$1" >/dev/null 2>&1; then
    local alive=running
    [ -n "${RIMFOLD_PID:-}" ] && ! kill -0 "$RIMFOLD_PID" 2>/dev/null && alive="gone"
    fail "box $1 closed before its text was read (Rimfold $alive)"
  fi
  BOX_TEXT="$(ctl title "$(ctl child "$1" 65535)")" && [ -n "$BOX_TEXT" ]
}

# box_text HWND: a message box's text, line ends as LF.
box_text() {
  within "box $1's text" "$STEP_MS" box_has_text "$1"
  printf '%s\n' "$BOX_TEXT" | tr -d '\r'
}

# monitor_count N: until Wine reports N monitors (after an xrandr change it follows in 1-3 s).
monitor_count() {
  local i
  for ((i = 0; i < 6000; i += 100)); do
    [ "$(ctl monitors | head -n 1)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "Wine still reports $(ctl monitors | head -n 1) monitors"
}

# second_attached_again MONITORS: the right-hand output of the monitors desktops attached
# again with its work areas, until Wine reports the monitors as MONITORS ("ctl monitors").
second_attached_again() {
  local i
  xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "0,0,1920,1040,1920,0,1280,984"
  xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0 >/dev/null 2>&1 || fail "xrandr could not attach it"
  monitor_count 2
  for ((i = 0; i < 3000; i += 100)); do [ "$(ctl monitors)" = "$1" ] && return 0; sleep 0.1; done
  check_eq "the monitors attached again" "$1" "$(ctl monitors)"
}

# ---- Figures a case measures: reported, not asserted beyond the bound it checks ----

# figure TEXT: appended to $RIMFOLD_BUILD/desktop-figures/<case>.txt, which holds the
# figures of the case's latest run.
rm -f "$RIMFOLD_BUILD/desktop-figures/${CASE_NAME:-none}.txt"
figure() {
  mkdir -p "$RIMFOLD_BUILD/desktop-figures"
  echo "$*" >>"$RIMFOLD_BUILD/desktop-figures/$CASE_NAME.txt"
  echo "figure: $*"
}

now_ms() { date +%s%3N; }

# Where only time can tell (something must not happen): Rimfold's 250 ms tick, the slowest
# helper's own delay (rf_windows' fight, 500 ms) and a margin.
QUIET_MS=2000
quiet_wait() { sleep "$(awk -v ms="$QUIET_MS" 'BEGIN { print ms / 1000 }')"; }

# within WHAT MS COMMAND...: polls COMMAND until it succeeds, failing once MS have passed
# since the moment this was called; sets WITHIN_MS to the time it took. A failure adds
# what the command named by WITHIN_DIAG prints, if set.
within() {
  local what="$1" bound="$2" t0
  shift 2
  t0=$(now_ms)
  until "$@" >/dev/null 2>&1; do
    if (( $(now_ms) - t0 > bound )); then
      fail "$what: not within $bound ms${WITHIN_DIAG:+ ($($WITHIN_DIAG))}"
    fi
    sleep 0.02
  done
  WITHIN_MS=$(( $(now_ms) - t0 ))
}

rect_is() {  # HWND "l t r b"
  [ "$(ctl rect "$1")" = "$2" ]
}

# hung_window_case at-start|after-show: a window that sticks out of the work area and whose
# thread takes no message for 20 s, hung from its creation or right after it was shown.
# During the hang Rimfold corrects another window within 1 s, opens its tray menu and
# toggles the stop hotkey; the window is corrected once it answers again; a close command
# during a hang ends Rimfold within 1 s.
hung_window_case() {
  local mode="$1" h n t0 hang_start
  require_rimfold
  require_xdotool
  settings_file '[Tray]\r\nStop=0\r\n[Key]\r\nStop=Ctrl+Alt+S\r\n'
  echo "c|Calm|RfCaseCalm|00CF0000|0|100,100,300,200|" >"$CASE_DIR/windows.txt"
  if [ "$mode" = at-start ]; then
    echo "h|Busy|RfCaseHung|00CF0000|0|1700,300,400,300|hung-at-start" >>"$CASE_DIR/windows.txt"
    hang_start=$(now_ms)
    windows_start "$CASE_DIR/windows.txt"
  fi
  start_resident
  wait_started
  wait_hotkey_taken 3 0x53 5000
  expect_tray running 5000
  if [ "$mode" = after-show ]; then
    windows_start "$CASE_DIR/windows.txt"
    hang_start=$(now_ms)
    windows_send create "h|Busy|RfCaseHung|00CF0000|0|1700,300,400,300|hung-after-show"
  fi
  windows_send report
  h="$(report_hwnd h)"

  # Wine raises no event when a new window is activated; Windows raises the foreground
  # event. Without it the window is met only by the sweep that follows the change in the
  # window count, which may run between its creation and its showing.
  windows_send create "n|Second|RfCase|00CF0000|0|1800,500,400,300|"
  t0=$(now_ms)
  windows_send foreground n
  windows_send report
  n="$(report_hwnd n)"
  within "the second window corrected during the hang" $(( 1000 - ($(now_ms) - t0) )) \
    rect_is "$n" "1520 500 1920 800"
  figure "$mode: second window corrected $(( $(now_ms) - t0 )) ms after its creation"

  t0=$(now_ms)
  open_tray_menu
  figure "$mode: tray menu shown $(( $(now_ms) - t0 )) ms after the click (incl. 0.3 s settle)"
  dismiss_tray_menu
  for state in stopped running; do
    t0=$(now_ms)
    xdotool key ctrl+alt+s
    expect_tray "$state" 3000
    figure "$mode: hotkey to $state in $(( $(now_ms) - t0 )) ms"
  done
  expect_rect "the hung window during its hang" "$h" "1700 300 2100 600"
  (( $(now_ms) - hang_start < 20000 )) || fail "the checks took longer than the hang"

  sleep "$(awk -v ms=$(( 20000 - ($(now_ms) - hang_start) )) 'BEGIN { printf "%.3f", ms / 1000 }')"
  windows_send unhang h
  # Each sweep during the hang used up one of its attempts, as a refused move does; once
  # they are gone it is tried again only after another window's move has taken. So a new
  # window that sticks out is corrected first, and then the woken window is activated: a
  # sweep runs from the top down to the window of the event.
  t0=$(now_ms)
  windows_send create "t|Nudge|RfCase|00CF0000|0|1800,700,300,200|"
  windows_send foreground t
  windows_send report
  within "the window opened after the wake corrected" 3000 rect_is "$(report_hwnd t)" "1620 700 1920 900"
  windows_send foreground h
  wake_state() {
    echo "foreground $(ctl foreground); h answers: $(ctl text "$h" >/dev/null && echo yes || echo no)"
  }
  WITHIN_DIAG=wake_state within "the hung window corrected after it woke" 3000 \
    rect_is "$h" "1520 300 1920 600"
  figure "$mode: hung window corrected $(( $(now_ms) - t0 )) ms after it woke, with another window opened and it activated"

  # Out again and hung again, met by a sweep; then the close command.
  windows_send move h 1700 300 400 300
  windows_send hang h
  # u sticks out too: its correction shows that the sweeps of these events have run.
  windows_send create "u|Nudge 2|RfCase|00CF0000|0|1800,500,300,200|"
  windows_send foreground u
  windows_send report
  wait_rect "the window opened during the second hang" "$(report_hwnd u)" "1620 500 1920 700" 3000
  t0=$(now_ms)
  ctl close "$MAIN_HWND" || fail "WM_CLOSE not posted"
  wait_exit "$RIMFOLD_PID" $(( 1000 - ($(now_ms) - t0) ))
  figure "$mode: ended $(( $(now_ms) - t0 )) ms after the close command, during a hang"
  windows_send unhang h
}

# dialog_to_smallest: the dialog dragged by its corner as small as it lets itself be made;
# returns once its size no longer changes.
dialog_to_smallest() {
  local l t r b before i
  read -r l t r b <<<"$(ctl rect "$CONFIG")"
  xdotool mousemove $((r - 2)) $((b - 2)) mousedown 1 mousemove $((r - 50)) $((b - 50)) sleep 0.2 \
    mousemove $((l + 50)) $((t + 50)) sleep 0.3 mouseup 1
  before=""
  for ((i = 0; i < 3000; i += 100)); do
    [ "$(ctl rect "$CONFIG")" = "$before" ] && return 0
    before="$(ctl rect "$CONFIG")"
    sleep 0.1
  done
}

# toolbar_holds TOOLBAR_ID BUTTON_ID...: each button lies inside its toolbar (none is cut off).
toolbar_holds() {
  local bar=$1 id bl bt br bb tl tt tr tb
  shift
  read -r tl tt tr tb <<<"$(ctl rect "$(dlg "$bar")")"
  for id in "$@"; do
    read -r bl bt br bb <<<"$(ctl button-rect "$(dlg "$bar")" "$id")"
    (( bl >= tl && br <= tr && bb <= tb && br > bl )) ||
      fail "button $id at $bl $bt $br $bb, outside its toolbar $tl $tt $tr $tb"
  done
}
