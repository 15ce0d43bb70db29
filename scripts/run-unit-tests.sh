#!/usr/bin/env bash
# Runs the native unit tests of the portable core (built by `make native`).
set -uo pipefail
cd "$(dirname "$0")/.."
if [ ! -d build/native ]; then
  echo "build/native is missing: run 'make native' first" >&2
  exit 2
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
ctest --test-dir build/native -j "$(nproc)" --output-on-failure --timeout 120 "$@" \
  > build/native/unit-tests.log 2>&1
rc=$?
# Failures in full, then ctest's own closing summary.
grep -E "\*\*\*Failed|Failed  |Exception|Timeout|Not Run" build/native/unit-tests.log | head -50
sed -n '/tests passed/,$p' build/native/unit-tests.log
exit $rc
