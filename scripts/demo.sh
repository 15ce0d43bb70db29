#!/usr/bin/env bash
# `make demo`: Rimfold's main job on a Wine desktop. Opens windows that stick out of the
# work area (notepad among them), starts Rimfold resident, moves one window off-screen
# again, and leaves before/after screenshots and a report of what moved where.
# The desktop opens on $DISPLAY when there is one, else on a private Xvfb.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
OUT="${DEMO_OUT:-$ROOT/demo-out/$(date +%Y%m%d-%H%M%S)}"
mkdir -p "$OUT"
HELPERS="$ROOT/build/win64/helpers"
EXE="$ROOT/build/win64/Rimfold.exe"

# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
pids=()
finish() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wine_desktop_stop
}
trap finish EXIT
WINE_DESKTOP_USE_DISPLAY=1 wine_desktop_start shell || { echo "demo: no Wine desktop" >&2; exit 1; }

ctl() { timeout -k 2 20 "$WINE64" "$HELPERS/rf_ctl.exe" "$@" </dev/null; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
shot() {
  local id
  id="$(xdotool search --name 'Wine desktop' 2>/dev/null | head -n 1)"
  if [ -n "$id" ] && [ "${WINE_DESKTOP_USE_DISPLAY:-1}" = 1 ] && [ ! -e "$WINE_DESKTOP_STATE/x.pid" ]; then
    import -window "$id" "$1"
  else
    import -window root "$1"
  fi
}

cat >"$OUT/windows.txt" <<'DESC'
top|Sticks out at the top|RimfoldDemo|00CF0000|0|300,-120,500,350|
right|Sticks out at the right|RimfoldDemo|00CF0000|0|1650,250,500,350|
corner|Sticks out bottom-right|RimfoldDemo|00CF0000|0|1500,850,600,400|
tall|Taller than the screen|RimfoldDemo|00CF0000|0|-150,-50,400,1300|
inside|Already inside|RimfoldDemo|00CF0000|0|800,400,400,300|
DESC
"$WINE64" "$HELPERS/rf_windows.exe" "$(winpath "$OUT/windows.txt")" "$(winpath "$OUT/windows.report")" demo \
  </dev/null >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$OUT/windows.report" ] && break; sleep 0.05; done
"$WINE64" notepad </dev/null >/dev/null 2>&1 &
pids+=($!)
pad="$(ctl wait-find Notepad - 10000)" || { echo "demo: notepad did not open" >&2; exit 1; }
ctl move "$pad" 700 800 600 450

declare -A name=([notepad]="$pad")
while read -r n h _; do [ "$n" = control ] || name[$n]=$h; done <"$OUT/windows.report"
declare -A before
for n in "${!name[@]}"; do before[$n]="$(ctl rect "${name[$n]}")"; done
sleep 0.5
shot "$OUT/before.png"

"$WINE64" "$EXE" </dev/null >/dev/null 2>&1 &
rimfold=$!
pids+=($rimfold)
sleep 2
# A window the user moves off-screen later is brought back at the next ticks.
ctl send demo move inside 1700 700 400 300 >/dev/null
ctl send demo foreground inside >/dev/null
sleep 1.5
shot "$OUT/after.png"

{
  echo "Rimfold demo, $(date '+%Y-%m-%d %H:%M:%S')"
  echo "Work area: $(ctl workarea) (left top right bottom)"
  echo
  printf '%-8s %-24s %-24s %s\n' window before after result
  for n in top right corner tall inside notepad; do
    after="$(ctl rect "${name[$n]}")"
    b="${before[$n]}"
    [ "$n" = inside ] && b="1700 700 2100 1000 (moved off by the user)"
    result=moved; [ "$after" = "${before[$n]}" ] && result=unchanged
    printf '%-8s %-24s %-24s %s\n' "$n" "$b" "$after" "$result"
  done
} >"$OUT/report.txt"

ctl close "$(ctl find TMainForm Rimfold)" >/dev/null
for _ in $(seq 100); do kill -0 "$rimfold" 2>/dev/null || break; sleep 0.05; done
cp "$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Quenbrook/Rimfold | head -n 1)"/* "$OUT/" 2>/dev/null

cat "$OUT/report.txt"
echo
echo "demo: screenshots, report and Rimfold's files are in $OUT"
