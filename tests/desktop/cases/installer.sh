# desktop: shell
# fresh: yes
# The per-user installer (make dist): msiexec /qn installs the exe and the guide under the
# user's local programs folder with a Start-menu and a Startup shortcut to it; the Start-menu
# shortcut starts Rimfold; a higher version replaces it, asking the running one to close
# (it saves as at any close) and keeping the settings; the uninstall, again with Rimfold
# running, removes files and shortcuts and leaves the settings folder as it was.
require_rimfold
version="$(head -n 1 "$RIMFOLD_ROOT/res/version.txt")"
msi="$RIMFOLD_ROOT/dist/Rimfold-$version-x64.msi"
[ -f "$msi" ] || fail "no $msi (make dist)"
users="$WINEPREFIX/drive_c/users"
user="$(ls "$users" | grep -vx Public | head -n 1)"
home="$users/$user"
installed="$home/AppData/Local/Programs/Rimfold"
programs="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

msiexec() {
  timeout -k 2 60 "$WINE64" msiexec "$@" /qn </dev/null >>"$CASE_DIR/msiexec.log" 2>&1 ||
    fail "msiexec $* ended with $?"
}
# The version the higher installer carries: the same files, the patch number raised.
next="${version%.*}.$(( ${version##*.} + 1 ))"
stage="$RIMFOLD_BUILD/dist/msi"
[ -f "$stage/rimfold.wxs" ] || fail "no installer stage (make dist)"
(cd "$stage" && wixl -a x64 -D Version="$next" -o "$CASE_DIR/next.msi" rimfold.wxs 2>/dev/null) ||
  fail "wixl could not build version $next"

# started_from LINK: Rimfold started as the shell starts a shortcut; sets MAIN_HWND.
started_from() {
  start_bg "$WINE64" start /unix "$1"
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

msiexec /i "$(winpath "$msi")"
for f in Rimfold.exe Rimfold.html LICENSE.txt images/tray-menu.png; do
  [ -s "$installed/$f" ] || fail "not installed: $f"
done
cmp -s "$RIMFOLD_EXE" "$installed/Rimfold.exe" || fail "the installed exe is not the build's"
# The Startup folder's name differs in case between Windows versions and Wine.
links=("$programs/Rimfold.lnk" "$(find "$programs" -maxdepth 2 -ipath '*/startup/rimfold.lnk')")
for link in "${links[@]}"; do
  [ -s "$link" ] || fail "no shortcut $link"
  grep -aq 'Programs\\Rimfold\\Rimfold.exe' "$link" || fail "$link does not point at the installed exe"
done

settings_file '[Tray]\r\nStop=0\r\nMoveWindowSpeed=1\r\n'
dir="$DATA_DIR"
started_from "${links[0]}"
closed_by msiexec /i "$(winpath "$CASE_DIR/next.msi")"
[ -s "$installed/Rimfold.exe" ] || fail "the upgrade left no exe"
check_eq "a setting after the upgrade" 1 "$(ini_value "$dir/Rimfold.ini" Tray MoveWindowSpeed)"
# The products registered under the installer's upgrade code (packed as Windows Installer
# keeps it): one, the new one.
products() {
  "$WINE64" reg query 'HKCU\Software\Microsoft\Installer\UpgradeCodes\A24FA0BD329DE654C989AA0DA51F955D' \
    2>/dev/null | tr -d '\r' | grep -c 'REG_SZ'
}
check_eq "products after the upgrade" 1 "$(products)"

# The settings as the close saves them; the close that the uninstall asks for saves the same.
( cd "$dir" && md5sum * ) >"$CASE_DIR/settings.md5"
started_from "${links[0]}"
closed_by msiexec /x "$(winpath "$CASE_DIR/next.msi")"
[ -e "$installed/Rimfold.exe" ] && fail "the uninstall left the exe"
for link in "${links[@]}"; do [ -e "$link" ] && fail "the uninstall left $link"; done
( cd "$dir" && md5sum -c --quiet "$CASE_DIR/settings.md5" ) || fail "the settings changed"
check_eq "products after the uninstall" 0 "$(products)"
