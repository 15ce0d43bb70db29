#!/usr/bin/env bash
# Runs the Wine-run tests of the win64 build (built by `make win64`) on a fresh Wine
# "shell" desktop, which is stopped again however the run ends.
#   RIMFOLD_WIN32_TEST_BUILD   build directory to test (default build/win64)
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
trap wine_desktop_stop EXIT
trap 'exit 130' INT TERM
wine_desktop_start shell || exit 1

log="$build/win32-tests.log"
# One test at a time: the tests share the desktop's foreground, cursor and settings.
ctest --test-dir "$build" --output-on-failure --no-tests=error --timeout 120 "$@" >"$log" 2>&1
rc=$?
if [ $rc -ne 0 ]; then
  sed -n '/The following tests FAILED/,$p' "$log"
  grep -B2 -A12 -E "Failure|\*\*\*Failed|Timeout|Exception" "$log" | head -150
fi
grep -E "tests passed|No tests were found" "$log" || { echo "ctest gave no summary (see $log)"; rc=1; }
exit $rc
