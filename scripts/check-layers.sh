#!/usr/bin/env bash
# The includes follow the layer map (src/layers.txt): a file includes its own folder and the
# folders its folder's line names, nothing else; the map itself has no circle and names
# every folder with sources; and no two units (a header with its source) include each
# other. Then the check is shown to refuse what it must: each include of its table, added to
# a copy of src/, fails it. Closes with "N passed, N failed" (rules and refusals).
#   scripts/check-layers.sh              src/, then the refusals
#   scripts/check-layers.sh --tree DIR   DIR as src/, the rules only (the refusals use it)
set -uo pipefail
cd "$(dirname "$0")/.."

tree=src
rules_only=0
if [ "${1:-}" = --tree ]; then
  tree="$2"
  rules_only=1
fi
map="$tree/layers.txt"
[ -f "$map" ] || { echo "no layer map $map" >&2; exit 2; }

declare -A allowed
folders=()
while read -r folder _ deps; do
  folders+=("$folder")
  allowed[$folder]=" $deps "
done < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$map")
# Longest first, so that platform/win32/x.h is in platform/win32, not in platform.
mapfile -t folders < <(printf '%s\n' "${folders[@]}" | awk '{ print length, $0 }' | sort -rn | cut -d' ' -f2-)

# folder_of PATH: sets REPLY to the folder of a path below src/ ("?" when the map has none).
folder_of() {
  local f
  for f in "${folders[@]}"; do
    if [ "$1" = "$f" ] || [[ "$1" == "$f"/* ]]; then
      REPLY="$f"
      return
    fi
  done
  REPLY="?"
}

failed=0 passed=0
rule() {  # NAME COUNT: a rule passes when it found nothing
  if (( $2 == 0 )); then passed=$((passed + 1)); else failed=$((failed + 1)); echo "rule failed: $1 ($2)"; fi
}

# The map: every folder it names is one of its lines, it has no circle, and every folder
# with sources is in it.
unknown=0
for f in "${folders[@]}"; do
  for d in ${allowed[$f]}; do
    [ -n "${allowed[$d]:-}" ] || { echo "map: $f names $d, which has no line"; unknown=$((unknown + 1)); }
  done
done
while IFS= read -r file; do
  folder_of "${file#"$tree"/}"
  [ "$REPLY" = "?" ] && { echo "map: no line for ${file#"$tree"/}"; unknown=$((unknown + 1)); }
done < <(find "$tree" -name '*.h' -o -name '*.cpp' | sort)
rule "the map names its folders" "$unknown"

declare -A state  # depth-first search: 1 on the path, 2 done
circles=0
visit() {
  local f="$1" d
  state[$f]=1
  for d in ${allowed[$f]}; do
    [ -n "${allowed[$d]:-}" ] || continue
    case "${state[$d]:-0}" in
      1) echo "map: a circle through $f and $d"; circles=$((circles + 1)) ;;
      0) visit "$d" ;;
    esac
  done
  state[$f]=2
}
for f in "${folders[@]}"; do [ "${state[$f]:-0}" = 0 ] && visit "$f"; done
rule "the map has no circle" "$circles"

edges="$(mktemp)"
trap 'rm -f "$edges"' EXIT
against=0
while IFS=: read -r file line; do
  inc="${line#*\"}"
  inc="${inc%%\"*}"
  [ -f "$tree/$inc" ] || continue  # system headers and res/
  from="${file#"$tree"/}"
  folder_of "$from"
  a="$REPLY"
  folder_of "$inc"
  b="$REPLY"
  echo "${from%.*} ${inc%.*}"
  [ "$a" = "$b" ] && continue
  if [[ "${allowed[$a]:-}" != *" $b "* ]]; then
    echo "against the map: src/$from includes $inc ($a may not include $b)" >&2
    against=$((against + 1))
  fi
done < <(find "$tree" \( -name '*.h' -o -name '*.cpp' \) -exec grep -H '^#include "' {} + | sort) \
  2>&1 >"$edges"
rule "includes follow the map" "$against"

# Units that include each other (a.h or a.cpp includes b.h, and b.h or b.cpp includes a.h).
cycle_lines="$(sort -u "$edges" | awk '$1 != $2 { seen[$1 " " $2] = 1 }
  END { for (e in seen) { split(e, p, " ")
    if (p[1] < p[2] && ((p[2] " " p[1]) in seen)) print "cycle: " p[1] " <-> " p[2] } }')"
[ -n "$cycle_lines" ] && echo "$cycle_lines"
cycles=$(grep -c . <<<"$cycle_lines")
rule "no two units include each other" "$cycles"

if (( rules_only == 0 )); then
  # What the check must refuse: FILE (in src/) gets the include; each on a fresh copy.
  refusals=(
    "ui/window_base.cpp engine/correction.h"           # the window framework reaching the engine
    "platform/win32/win32_input.cpp app/tray_menu.h"   # the platform reaching the program
    "widgets/tray_icon_handler.cpp settings/settings_file.h"  # a control reaching the settings
    "workarea/work_area.cpp display/display_change.h"  # sideways between two peers
    "rtl/text_utils.cpp system/data_dir.h"             # upwards in the core
  )
  copy="$(mktemp -d)"
  for row in "${refusals[@]}"; do
    read -r file inc <<<"$row"
    rm -rf "$copy/src"
    cp -r src "$copy/src"
    if [ ! -f "$copy/src/$file" ] || [ ! -f "$copy/src/$inc" ]; then
      echo "refusal: $file or $inc is gone; the table needs a new row"
      failed=$((failed + 1))
      continue
    fi
    echo "#include \"$inc\"" >>"$copy/src/$file"
    if out="$("$0" --tree "$copy/src" 2>&1)"; then
      echo "refusal: $file including $inc passed the check"
      failed=$((failed + 1))
    elif ! grep -q "src/$file includes $inc" <<<"$out"; then
      echo "refusal: $file including $inc failed the check for another reason: $out"
      failed=$((failed + 1))
    else
      passed=$((passed + 1))
    fi
  done
  rm -rf "$copy"
fi

echo "$passed passed, $failed failed"
(( failed == 0 ))
