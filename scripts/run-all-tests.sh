#!/usr/bin/env bash
# `make test`: every suite in turn, each closing with its own summary line. A failing
# suite does not stop the others; the exit code is non-zero when any failed.
set -uo pipefail
cd "$(dirname "$0")/.."

failed=() skipped=()
run_suite() {
  local name=$1 rc; shift
  echo
  echo "=== $name"
  local start=$SECONDS
  "$@"
  rc=$?
  if [ $rc -eq 0 ]; then
    echo "=== $name: ok ($((SECONDS - start)) s)"
  elif [ $rc -eq 77 ]; then
    # Only the 32-bit suites answer so, on a machine that cannot run 32-bit programs.
    echo "=== $name: SKIPPED ($((SECONDS - start)) s)"
    skipped+=("$name")
  else
    echo "=== $name: FAILED ($((SECONDS - start)) s)"
    failed+=("$name")
  fi
}

run_suite "native unit tests" scripts/run-unit-tests.sh
run_suite "layers (includes follow the layer map)" scripts/check-layers.sh
run_suite "format (.clang-format)" scripts/check-format.sh
run_suite "static analysis of the core (clang-tidy)" scripts/run-static-analysis.sh
run_suite "Windows tests under Wine" scripts/run-win32-tests.sh
run_suite "Windows tests under Wine, 32-bit" env RIMFOLD_WIN32_TEST_BUILD=build/win32 scripts/run-win32-tests.sh
# The installer case of the desktop suite installs what this makes.
run_suite "release packages (make dist)" scripts/dist.sh
run_suite "end-to-end desktop tests" scripts/run-desktop-tests.sh
run_suite "end-to-end desktop tests, 32-bit Rimfold.exe" env DESKTOP_ARCH=win32 scripts/run-desktop-tests.sh
run_suite "fuzzing" scripts/run-fuzz.sh

echo
if [ ${#failed[@]} -eq 0 ]; then
  if [ ${#skipped[@]} -eq 0 ]; then
    echo "all suites passed"
  else
    echo "all suites passed that ran; skipped, since this machine runs no 32-bit programs: $(
      IFS=';'; echo "${skipped[*]}")"
  fi
  exit 0
fi
echo "failed suites: ${failed[*]}"
exit 1
