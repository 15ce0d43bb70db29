#!/usr/bin/env bash
# Benchmark, not a test: how soon a window shown sticking out of the work area is put back,
# on a Wine shell desktop with 30 and with 300 windows, for this tree's Rimfold.exe, for
# another Rimfold.exe ("before", when given) and for a floor keeper that checks the window
# at its show event (bench/win32/latency.cpp); then Rimfold's idle CPU over 60 s with 300
# windows, and its CPU while a popup comes and goes 20 times a second beside them, both
# builds alike.
#
#   scripts/bench-latency.sh [BEFORE.exe]   LATENCY_SAMPLES (50), LATENCY_IDLE_S (60),
#                                           LATENCY_POPUP_RATE (20), LATENCY_POPUP_S (20)
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
HELPERS="$ROOT/build/win64/helpers"
EXE="$ROOT/build/win64/Rimfold.exe"
PROBE="$ROOT/build/win64/rimfold_latency.exe"
BEFORE="${1:-}"
SAMPLES="${LATENCY_SAMPLES:-50}"
IDLE_S="${LATENCY_IDLE_S:-60}"
POPUP_RATE="${LATENCY_POPUP_RATE:-20}"
POPUP_S="${LATENCY_POPUP_S:-20}"
for f in "$EXE" "$PROBE" ${BEFORE:+"$BEFORE"}; do
  [ -f "$f" ] || { echo "bench-latency: $f is missing (make win64)" >&2; exit 2; }
done
# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
keeper_pid=""
trap 'stop_keeper; kill "${load_pid:-}" 2>/dev/null; wine_desktop_stop' EXIT
wine_desktop_start shell || exit 1
winpath() { printf 'Z:%s' "${1//\//\\}"; }
ctl() { timeout -k 2 20 "$WINE64" "$HELPERS/rf_ctl.exe" "$@" </dev/null 2>/dev/null; }
process_cpu_us() {
  cat /proc/"$1"/task/*/sched 2>/dev/null |
    awk '/^se.sum_exec_runtime/ { s += $3 } END { printf "%d\n", s * 1000 }'
}

programs=(rimfold floor)
[ -n "$BEFORE" ] && programs=(before rimfold floor)
# start_keeper PROG: resident, its start over (Rimfold: the dialog's window exists).
start_keeper() {
  case "$1" in
    rimfold) "$WINE64" "$EXE" </dev/null >/dev/null 2>&1 & keeper_pid=$! ; class=TConfigForm title=Rimfold ;;
    before) "$WINE64" "$BEFORE" </dev/null >/dev/null 2>&1 & keeper_pid=$! ; class=TConfigForm title=Rimfold ;;
    floor) "$WINE64" "$PROBE" floor </dev/null >/dev/null 2>&1 & keeper_pid=$! ; class=RimfoldLatencyFloor title=- ;;
  esac
  # Hidden windows: looked for until they exist.
  for _ in $(seq 200); do ctl find "$class" "$title" >/dev/null && break; sleep 0.1; done
  ctl find "$class" "$title" >/dev/null || { echo "bench-latency: $1 did not start" >&2; exit 1; }
  sleep 1  # its first sweep over the desktop is not what is measured
}
stop_keeper() {
  [ -n "$keeper_pid" ] || return 0
  local main
  main="$(ctl find TMainForm Rimfold || ctl find RimfoldLatencyFloor -)"
  [ -n "$main" ] && ctl close "$main" >/dev/null
  for _ in $(seq 100); do kill -0 "$keeper_pid" 2>/dev/null || break; sleep 0.05; done
  kill "$keeper_pid" 2>/dev/null
  keeper_pid=""
}
keeper_cpu_us() {  # the CPU so far of the keeper's processes now running, all threads
  local name p sum=0
  case "$1" in
    rimfold) name="$(basename "$EXE")" ;;
    before) name="$(basename "$BEFORE")" ;;
  esac
  for p in $(pgrep -f "$name"); do sum=$(( sum + $(process_cpu_us "$p") )); done
  echo "$sum"
}

echo "a window shown sticking out, corrected after (ms: min / median / p95 / max, $SAMPLES samples):"
printf '  %-8s %24s %24s\n' program "30 windows" "300 windows"
for prog in "${programs[@]}"; do
  row=""
  for n in 30 300; do
    start_keeper "$prog"
    read -r lo med p95 hi missed <<<"$("$WINE64" "$PROBE" probe "$n" "$SAMPLES" </dev/null 2>/dev/null | tr -d '\r')"
    stop_keeper
    cell="$lo / $med / $p95 / $hi"
    [ "${missed:-0}" != 0 ] && cell+=" ($missed missed)"
    row+="$(printf ' %24s' "$cell")"
  done
  printf '  %-8s%s\n' "$prog" "$row"
done

# Idle: 300 windows of another program, all inside the area; nothing changes for IDLE_S.
work="$(mktemp -d)"
for ((i = 0; i < 300; i++)); do
  echo "w$i|Idle $i|RimfoldIdle|00CF0000|0|$(( (i % 20) * 80 )),$(( (i / 20) * 55 )),300,200|"
done >"$work/inside.txt"
"$WINE64" "$HELPERS/rf_windows.exe" "$(winpath "$work/inside.txt")" "$(winpath "$work/inside.report")" \
  idle300 </dev/null >/dev/null 2>&1 &
load_pid=$!
for _ in $(seq 600); do [ -s "$work/inside.report" ] && break; sleep 0.05; done
echo "idle CPU over $IDLE_S s with 300 windows:"
for prog in "${programs[@]}"; do
  [ "$prog" = floor ] && continue
  start_keeper "$prog"
  sleep 5
  a=$(keeper_cpu_us "$prog")
  sleep "$IDLE_S"
  b=$(keeper_cpu_us "$prog")
  stop_keeper
  printf '  %-8s %6d ms\n' "$prog" $(( (b - a) / 1000 ))
done
# Windows coming and going, as tooltips do, beside the same 300: each one opened or closed
# changes the count, which sweeps; early ticks may sweep more often than the period does.
echo "CPU over $POPUP_S s with 300 windows and a popup replaced $POPUP_RATE times a second:"
for prog in "${programs[@]}"; do
  [ "$prog" = floor ] && continue
  start_keeper "$prog"
  a=$(keeper_cpu_us "$prog")
  shown="$(timeout -k 2 $((POPUP_S + 20)) "$WINE64" "$HELPERS/rf_ctl.exe" popups "$POPUP_RATE" "$POPUP_S" </dev/null 2>/dev/null | tr -d '\r')"
  b=$(keeper_cpu_us "$prog")
  stop_keeper
  printf '  %-8s %6d ms (%s popups)\n' "$prog" $(( (b - a) / 1000 )) "${shown:-0}"
done
rm -rf "$work"
