#!/usr/bin/env bash
# The desktop suite on a busy machine: a plain busy loop per core at normal priority beside
# it, as on a laptop that is compiling something else. REPEAT runs the selection again and
# again, to tell a flaky case from a broken one.
#
#   scripts/run-under-load.sh [case...]    every case, or the named ones
#   REPEAT=10 scripts/run-under-load.sh windows_return
#   HOGS=0 REPEAT=10 scripts/run-under-load.sh windows_return     (no load, only the repeats)
#
# Expects what tests/desktop/run.sh expects (make build, make dist). Ends with one line
# "N passed, N failed" over the runs.
set -uo pipefail
cd "$(dirname "$0")/.."
hogs="${HOGS:-$(nproc)}"
repeat="${REPEAT:-1}"
pids=()
cleanup() { [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null; }
trap cleanup EXIT
trap 'exit 130' INT TERM
for ((i = 0; i < hogs; i++)); do
  ( while :; do :; done ) &
  pids+=($!)
done
passed=0 failed=0
for ((r = 1; r <= repeat; r++)); do
  echo "=== run $r of $repeat, $hogs busy loops beside it"
  if tests/desktop/run.sh "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
