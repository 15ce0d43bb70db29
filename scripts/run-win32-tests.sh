#!/usr/bin/env bash
# Runs the Wine-run tests of the win64 build (built by `make win64`) on a fresh Wine
# "shell" desktop, which is stopped again however the run ends; a whole run of the 64-bit
# build then runs the contract suite once more on the two-monitor desktop.
#   RIMFOLD_WIN32_TEST_BUILD   build directory to test (default build/win64; build/win32: the
#                              32-bit programs, under the 32-bit loader in the WoW64 prefix)
# Extra arguments go to ctest (e.g. -R SecondProcess).
set -uo pipefail
cd "$(dirname "$0")/.."
build="${RIMFOLD_WIN32_TEST_BUILD:-build/win64}"
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  echo "$build is not a configured build: run 'make win64' first" >&2
  exit 2
fi

# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
if [ "$build" = build/win32 ] && ! wine32_runs; then
  echo "skipped: this machine's kernel runs no 32-bit programs (no IA32 emulation); $build is built, not run"
  exit "$WINE32_SKIPPED"
fi
trap wine_desktop_stop EXIT
trap 'exit 130' INT TERM
wine_desktop_start shell || exit 1

log="$build/win32-tests.log"
# One test at a time: the tests share the desktop's foreground, cursor and settings.
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 120 "$@" >"$log" 2>&1
rc=$?

# A test whose program printed nothing at all was never started: Wine was once seen to fail
# a launch like that (0.00 s, no output) in a full run. Only when every failure is of that
# kind are the failed tests run once more; any test that printed something stands as failed.
never_started() {  # every failed test of the last run has an empty output block
  local temp="$build/Testing/Temporary" name
  [ -s "$temp/LastTestsFailed.log" ] || return 1
  while IFS=: read -r _ name; do
    awk -v t="$name" '
      $0 == "Test: " t || $0 ~ ("^[0-9]+/[0-9]+ Test: " t "$") { inside = 1; next }
      inside && /^Output:/ { getline; getline; print; exit }' "$temp/LastTest.log" |
      grep -qx '<end of output>' || return 1
  done <"$temp/LastTestsFailed.log"
}
if [ $rc -ne 0 ] && never_started; then
  echo "started again, never started by Wine: $(cut -d: -f2 "$build/Testing/Temporary/LastTestsFailed.log" | paste -sd' ')"
  ctest --test-dir "$build" --output-on-failure --timeout 120 --rerun-failed >"$log" 2>&1
  rc=$?
fi
if [ $rc -ne 0 ]; then
  sed -n '/The following tests FAILED/,$p' "$log"
  grep -B2 -A12 -E "Failure|\*\*\*Failed|Timeout|Exception" "$log" | head -150
fi
grep -E "tests passed|No tests were found" "$log" || { echo "ctest gave no summary (see $log)"; rc=1; }

# The contract suite again on two monitors (the Xorg desktop with the second on the right),
# for the 64-bit build of a whole run.
if [ $# -eq 0 ] && [ "$build" = build/win64 ]; then
  wine_desktop_stop
  if wine_desktop_start monitors right; then
    log2="$build/win32-tests-two-monitors.log"
    ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 120 \
      -R '^Real/WindowManagerContract' >"$log2" 2>&1 || { rc=1; grep -B2 -A12 "Failure" "$log2" | head -80; }
    echo "two monitors: $(grep -E "tests passed" "$log2" || echo "no summary (see $log2)")"
  else
    echo "two monitors: the desktop did not start"; rc=1
  fi
fi
exit $rc
