#!/usr/bin/env bash
# The folder tree is the layer tree: a file may include its own folder and the folders below
# it, never one above or beside it; and no two units (a header with its source) include
# each other. Closes with "N passed, N failed" (rules).
set -uo pipefail
cd "$(dirname "$0")/.."

# Bottom first. Folders on one line share a rank and may not include each other. The
# portable halves of the window framework and of the program's controls (ui/model,
# widgets/model) rank with the core: the menu commands of app/ drive the tray icon's and
# the hotkey's models.
layers=(
  "platform"
  "rtl"
  "system"
  "settings"
  "engine"
  "workarea display"
  "ui/model widgets/model"
  "app"
  "platform/win32"
  "ui"
  "widgets"
  "shell"
  "main.cpp"
)
declare -A rank
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do rank[$folder]=$i; done
done

# The folder of a path below src/: platform/win32 is a layer of its own.
folder_of() {
  case "$1" in
    platform/win32/*) echo platform/win32 ;;
    ui/model/*) echo ui/model ;;
    widgets/model/*) echo widgets/model ;;
    main.cpp) echo main.cpp ;;
    *) echo "${1%%/*}" ;;
  esac
}

edges="$(mktemp)"
trap 'rm -f "$edges"' EXIT
upward=0
while IFS= read -r file; do
  from="${file#src/}"
  while IFS= read -r inc; do
    [ -f "src/$inc" ] || continue  # system headers and res/
    a="$(folder_of "$from")" b="$(folder_of "$inc")"
    echo "${from%.*} ${inc%.*}" >>"$edges"
    [ "$a" = "$b" ] && continue
    if [ -z "${rank[$a]:-}" ] || [ -z "${rank[$b]:-}" ] || (( rank[$b] >= rank[$a] )); then
      echo "upward or sideways: src/$from includes $inc"
      upward=$((upward + 1))
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find src -name '*.h' -o -name '*.cpp' | sort)

# Units that include each other (a.h or a.cpp includes b.h, and b.h or b.cpp includes a.h).
cycles=0
while read -r a b; do
  [ "$a" = "$b" ] && continue
  if grep -qx "$b $a" "$edges" && [[ "$a" < "$b" ]]; then
    echo "cycle: $a <-> $b"
    cycles=$((cycles + 1))
  fi
done < <(sort -u "$edges")

failed=0
(( upward == 0 )) || failed=$((failed + 1))
(( cycles == 0 )) || failed=$((failed + 1))
echo "$((2 - failed)) passed, $failed failed ($upward includes against the layers, $cycles unit cycles)"
(( failed == 0 ))
