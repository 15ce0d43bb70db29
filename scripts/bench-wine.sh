#!/usr/bin/env bash
# Whole-program benchmark: the real Rimfold.exe /Q on a Wine shell desktop, with and
# without 200 helper windows (half of them sticking out). The one-shot run waits 1 s for
# its first tick and 0.5 s after the sweep; the difference between the two runs is what
# the sweep over 200 real windows costs.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
HELPERS="$ROOT/build/win64/helpers"
EXE="$ROOT/build/win64/Rimfold.exe"
RUNS="${BENCH_RUNS:-3}"
[ -f "$EXE" ] || { echo "bench-wine: $EXE is missing (make win64)" >&2; exit 2; }
# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
work="$(mktemp -d)"
trap 'kill "${helper_pid:-}" 2>/dev/null; wine_desktop_stop; rm -rf "$work"' EXIT
wine_desktop_start shell || exit 1
winpath() { printf 'Z:%s' "${1//\//\\}"; }

median_run() {  # prints the median wall time of RUNS one-shot runs, in ms
  local i t0 times=()
  for ((i = 0; i < RUNS; i++)); do
    t0=$(date +%s%3N)
    timeout -k 2 60 "$WINE64" "$EXE" /Q </dev/null >/dev/null 2>&1
    times+=($(( $(date +%s%3N) - t0 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (RUNS + 1) / 2 ))p"
}

base=$(median_run)

# The dialog: open time and the cost of recording a window with a long processed list.
if [ -f "$ROOT/build/win64/rimfold_dialog_bench.exe" ]; then
  timeout -k 2 120 "$WINE64" "$ROOT/build/win64/rimfold_dialog_bench.exe" </dev/null 2>/dev/null
fi

{
  for i in $(seq 0 199); do
    x=$(( (i % 20) * 90 )); y=$(( (i / 20) * 95 ))
    # Every other window hangs over the right or bottom edge.
    if (( i % 2 )); then x=$(( x + 1700 - (i % 20) * 90 )); y=$(( y + 900 - (i / 20) * 95 )); fi
    echo "w$i|Bench $i|RimfoldBench|00CF0000|0|$x,$y,300,200|"
  done
} >"$work/windows.txt"
"$WINE64" "$HELPERS/rf_windows.exe" "$(winpath "$work/windows.txt")" "$(winpath "$work/report")" bench \
  </dev/null >/dev/null 2>&1 &
helper_pid=$!
for _ in $(seq 400); do [ -s "$work/report" ] && break; sleep 0.05; done
[ -s "$work/report" ] || { echo "bench-wine: the helper windows did not appear" >&2; exit 1; }

# The first run corrects the 100 windows that stick out; later runs find them inside.
t0=$(date +%s%3N); timeout -k 2 60 "$WINE64" "$EXE" /Q </dev/null >/dev/null 2>&1; first=$(( $(date +%s%3N) - t0 ))
again=$(median_run)

echo "one-shot run, no extra windows:            ${base} ms (median of ${BENCH_RUNS:-3})"
echo "one-shot run, 200 windows (100 corrected): ${first} ms (one run)"
echo "one-shot run, 200 windows, all inside:     ${again} ms (median of ${BENCH_RUNS:-3})"
echo "sweep cost over 200 real windows:          $(( first - base )) ms with corrections, $(( again - base )) ms without"
