# desktop: shell
# fresh: yes
# The per-user installer (make dist), as msiexec /qn runs it: the exe and the guide under the
# user's local programs folder with Start-menu shortcuts to both, the program's icon and the
# install location in the list of programs, start at sign-in switched on and Rimfold started.
# A higher version asks the running copy to close (it saves), keeps the settings and the
# user's sign-in choice (switched off in the tray menu before it) and starts Rimfold again
# from the new files; a lower version is refused with its message; the uninstall, with
# Rimfold running, removes files, shortcuts and the sign-in entry and leaves the settings.
require_rimfold
require_xdotool
version="$(head -n 1 "$RIMFOLD_ROOT/res/version.txt")"
msi="$RIMFOLD_ROOT/dist/Rimfold-$version-x64.msi"
[ -f "$msi" ] || fail "no $msi (make dist)"
users="$WINEPREFIX/drive_c/users"
user="$(ls "$users" | grep -vx Public | head -n 1)"
home="$users/$user"
installed="$home/AppData/Local/Programs/Rimfold"
installed_win='C:\users\'"$user"'\AppData\Local\Programs\Rimfold\Rimfold.exe'
programs="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
ROW_SIGNIN=5  # of the tray menu as Wine shows it

msiexec() {
  timeout -k 2 60 "$WINE64" msiexec "$@" /qn </dev/null >>"$CASE_DIR/msiexec.log" 2>&1 ||
    fail "msiexec $* ended with $?"
}
# Higher versions: the same files, the patch number raised, finished as make dist does.
higher() {  # N: prints the path of the package N patch numbers up
  local v="${version%.*}.$(( ${version##*.} + $1 ))" out="$CASE_DIR/next$1.msi"
  (cd "$RIMFOLD_BUILD/dist/msi" && wixl -a x64 -D Version="$v" -o "$out" rimfold.wxs 2>/dev/null) ||
    fail "wixl could not build version $v"
  "$RIMFOLD_ROOT/scripts/msi-texts.sh" "$out" || fail "the texts of version $v"
  echo "$out"
}
[ -f "$RIMFOLD_BUILD/dist/msi/rimfold.wxs" ] || fail "no installer stage (make dist)"
next1="$(higher 1)" next2="$(higher 2)"

installed_pid() { pgrep -if 'Programs.Rimfold.Rimfold\.exe' | head -n 1 | grep .; }
# installed_started WHEN: the installed exe runs (its unix process carries the Windows path) and
# shows its hidden window and tray icon; sets MAIN_HWND.
installed_started() {
  local i
  for ((i = 0; i < 10000; i += 50)); do
    installed_pid >/dev/null && break
    sleep 0.05
  done
  installed_pid >/dev/null || fail "the installed Rimfold does not run: $1"
  MAIN_HWND="$(wait_window TMainForm Rimfold 10000)"
  expect_tray running 5000
}
# closed_by ACTION...: Rimfold, running, is gone after the action, having saved.
closed_by() {
  rm -f "$dir/Rimfold.ini"
  "$@"
  wait_gone "$MAIN_HWND" 5000
  [ -s "$dir/Rimfold.ini" ] || fail "Rimfold did not save at the close asked by: $*"
}
# The products registered under the installer's upgrade code (packed as Windows Installer
# keeps it).
products() {
  "$WINE64" reg query 'HKCU\Software\Microsoft\Installer\UpgradeCodes\A24FA0BD329DE654C989AA0DA51F955D' \
    2>/dev/null | tr -d '\r' | grep -c 'REG_SZ'
}
# product_value NAME: a value of the product's entry in the list of installed programs.
product_value() {
  "$WINE64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p" | head -n 1
}

settings_file '[Tray]\r\nStop=0\r\nMoveWindowSpeed=1\r\n'
dir="$DATA_DIR"
msiexec /i "$(winpath "$msi")"
for f in Rimfold.exe Rimfold.html Rimfold.en.html LICENSE.txt images/tray-menu.png images/en-tray-menu.png; do
  [ -s "$installed/$f" ] || fail "not installed: $f"
done
cmp -s "$RIMFOLD_EXE" "$installed/Rimfold.exe" || fail "the installed exe is not the build's"
links=("$programs/Rimfold.lnk" "$programs/Rimfold 使い方ガイド.lnk")
grep -aq 'Programs\\Rimfold\\Rimfold.exe' "${links[0]}" || fail "no shortcut to the installed exe"
grep -aq 'Programs\\Rimfold\\Rimfold.html' "${links[1]}" || fail "no shortcut to the guide"
[ -z "$(find "$programs" -maxdepth 2 -ipath '*/startup/rimfold.lnk')" ] || fail "a Startup shortcut"
check_eq "the install location" 'C:\users\'"$user"'\AppData\Local\Programs\Rimfold\' \
  "$(product_value InstallLocation)"
icon="$("$WINE64" reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null |
  tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')"
[[ $icon == *rimfold.ico ]] || fail "no product icon: '$icon'"
installed_started "after the install"
check_eq "the sign-in entry after the install" "\"$installed_win\"" "$(sign_in_entry)"

# The tray item of the installed copy switches it off; an upgrade keeps it off.
open_tray_menu
menu_click "$MENU_HWND" "$ROW_SIGNIN"
wait_sign_in_entry "" 3000
closed_by msiexec /i "$(winpath "$next1")"
installed_started "after the upgrade"
check_eq "a setting after the upgrade" 1 "$(ini_value "$dir/Rimfold.ini" Tray MoveWindowSpeed)"
check_eq "products after the upgrade" 1 "$(products)"
check_eq "the sign-in entry after the upgrade" "" "$(sign_in_entry)"

# Switched on again from the tray, it survives the next upgrade.
open_tray_menu
menu_click "$MENU_HWND" "$ROW_SIGNIN"
wait_sign_in_entry "\"$installed_win\"" 3000
closed_by msiexec /i "$(winpath "$next2")"
installed_started "after the second upgrade"
check_eq "the sign-in entry after the second upgrade" "\"$installed_win\"" "$(sign_in_entry)"

# A lower version is refused, in its own words, and changes nothing. With its user interface
# (a double-click) the installer shows the message in a box, which OK ends.
start_bg msiexec /i "$(winpath "$msi")"
downgrade_pid=$BG_PID
box="$(ctl wait-find "#32770" - 20000)" || fail "no box from the lower version's installer"
shot downgrade
check_eq "the downgrade's message" "より新しい Rimfold がインストールされています。" "$(box_text "$box")"
ctl command "$box" 1 || fail "could not answer the box"
for ((i = 0; i < 20000; i += 50)); do kill -0 "$downgrade_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$downgrade_pid" 2>/dev/null && fail "the lower version's installer did not end"
check_eq "products after the downgrade" 1 "$(products)"
installed_pid >/dev/null || fail "Rimfold no longer runs after the refused downgrade"

# The settings as the close saves them; the close that the uninstall asks for saves the same.
( cd "$dir" && md5sum * ) >"$CASE_DIR/settings.md5"
closed_by msiexec /x "$(winpath "$next2")"
[ -e "$installed/Rimfold.exe" ] && fail "the uninstall left the exe"
for link in "${links[@]}"; do [ -e "$link" ] && fail "the uninstall left $link"; done
( cd "$dir" && md5sum -c --quiet "$CASE_DIR/settings.md5" ) || fail "the settings changed"
check_eq "products after the uninstall" 0 "$(products)"
check_eq "the sign-in entry after the uninstall" "" "$(sign_in_entry)"
installed_pid >/dev/null && fail "Rimfold started after the uninstall"
true
