#!/usr/bin/env bash
# The Windows test programs under Wine: CTest in build/win64 with Wine as the emulator,
# on a "shell" desktop of their own.
set -uo pipefail
cd "$(dirname "$0")/.."
[ -d build/win64 ] || { echo "build/win64 is missing: run 'make win64' first" >&2; exit 2; }
# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
trap wine_desktop_stop EXIT
wine_desktop_start shell || exit 1
ctest --test-dir build/win64 --output-on-failure --timeout 120 "$@" >build/win64/win32-tests.log 2>&1
rc=$?
grep -E "\*\*\*Failed|Failed  |Timeout|Not Run" build/win64/win32-tests.log | head -50
sed -n '/tests passed/,$p' build/win64/win32-tests.log
exit $rc
