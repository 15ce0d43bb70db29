#!/usr/bin/env bash
# Benchmark, not a test: Rimfold's CPU time while another program raises 20,000 events a
# second that no window keeper needs for 20 s (name and value changes, which it does not
# hook; then kinds it hooks, of windows and objects it leaves alone), for this tree's
# Rimfold.exe and for one built from another commit (default: main), in the same Wine
# session one after the other. The hook that asks only for the events it uses should cost
# next to nothing; a hook over every event has each of them marshalled into the program.
#
#   scripts/bench-event-storm.sh [base-ref]      STORM_RATE, STORM_SECONDS override 20000, 20
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
BASE_REF="${1:-main}"
RATE="${STORM_RATE:-20000}"
SECONDS_LONG="${STORM_SECONDS:-20}"
EXE="$ROOT/build/win64/Rimfold.exe"
HELPERS="$ROOT/build/win64/helpers"
OLD="$ROOT/build/bench-base"
[ -f "$EXE" ] || { echo "bench-event-storm: $EXE is missing (make win64)" >&2; exit 2; }
[ -f "$HELPERS/rf_ctl.exe" ] || { echo "bench-event-storm: helpers missing (make win64)" >&2; exit 2; }

# The comparison build: the base commit's sources, built apart from this tree's build.
base_commit="$(git rev-parse --verify "$BASE_REF^{commit}")" || exit 2
if [ "$(cat "$OLD/commit" 2>/dev/null)" != "$base_commit" ]; then
  rm -rf "$OLD" && mkdir -p "$OLD/src"
  git archive "$base_commit" | tar -x -C "$OLD/src" || exit 1
  (cd "$OLD/src" && cmake --preset win64 >/dev/null && cmake --build --preset win64 --target Rimfold) \
    >"$OLD/build.log" 2>&1 || { echo "bench-event-storm: building $BASE_REF failed, see $OLD/build.log" >&2; exit 1; }
  echo "$base_commit" >"$OLD/commit"
fi
OLD_EXE="$OLD/src/build/win64/Rimfold.exe"

# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
trap 'kill "${rimfold_pid:-}" 2>/dev/null; wine_desktop_stop' EXIT
wine_desktop_start shell || exit 1

ticks() {  # user + system clock ticks of a Linux process so far
  awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}
wineserver_pid() {  # the one serving this session's prefix (other sessions run their own)
  local pid
  for pid in $(pgrep -f '/wineserver' 2>/dev/null); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
  done
}
hz="$(getconf CLK_TCK)"
seconds() { awk -v t="$1" -v hz="$hz" 'BEGIN { printf "%.2f", t / hz }'; }

# run_storm EXE LABEL KIND: starts it resident, measures it over the storm, closes it.
run_storm() {
  local exe="$1" kind="$3" main i r0 r1 s0 s1 ws raised
  "$WINE64" "$exe" </dev/null >/dev/null 2>&1 &
  rimfold_pid=$!
  for ((i = 0; i < 200; i++)); do
    main="$("$WINE64" "$HELPERS/rf_ctl.exe" find TMainForm Rimfold 2>/dev/null)" && [ -n "$main" ] && break
    sleep 0.05
  done
  [ -n "$main" ] || { echo "bench-event-storm: $exe did not start" >&2; return 1; }
  sleep 1
  ws="$(wineserver_pid)"
  r0=$(ticks "$rimfold_pid"); s0=$(ticks "${ws:-0}")
  raised="$("$WINE64" "$HELPERS/rf_ctl.exe" storm "$RATE" "$SECONDS_LONG" "$kind" </dev/null)"
  r1=$(ticks "$rimfold_pid"); s1=$(ticks "${ws:-0}")
  "$WINE64" "$HELPERS/rf_ctl.exe" close "$main" >/dev/null 2>&1
  for ((i = 0; i < 100; i++)); do kill -0 "$rimfold_pid" 2>/dev/null || break; sleep 0.05; done
  kill "$rimfold_pid" 2>/dev/null
  printf '%-34s Rimfold %6s s CPU, wineserver %6s s CPU, %s events raised\n' "$2" \
    "$(seconds $((r1 - r0)))" "$(seconds $((s1 - s0)))" "$raised"
}

for kind in unhooked hooked; do
  case "$kind" in
    unhooked) echo "event storm: $RATE events/s for $SECONDS_LONG s (name and value changes)" ;;
    hooked) echo "event storm: $RATE events/s for $SECONDS_LONG s (hooked kinds, unrelated:" \
      "a caret, a background window moving, a child shown and destroyed)" ;;
  esac
  run_storm "$EXE" "this tree ($(git rev-parse --short HEAD))" "$kind"
  run_storm "$OLD_EXE" "$BASE_REF ($(git rev-parse --short "$base_commit"))" "$kind"
done
