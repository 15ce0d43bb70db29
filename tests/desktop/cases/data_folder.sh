# desktop: shell
# fresh: yes
# Rimfold.exe, started in a fresh prefix, creates its data folder under the
# user's roaming AppData; with "/Q" it makes its one sweep and exits with code 0.
require_rimfold
users="$WINEPREFIX/drive_c/users"
user="$(ls "$users" | grep -vx Public | head -n 1)"
[ -n "$user" ] || fail "no user profile in the prefix"
folder="$users/$user/AppData/Roaming/Quenbrook/Rimfold"
[ ! -e "$folder" ] || fail "data folder exists before the first start"
timeout -k 2 30 "$WINE64" "$RIMFOLD_EXE" /Q </dev/null
rc=$?
check_eq "exit code" 0 "$rc"
[ -d "$folder" ] || fail "no folder $folder"
