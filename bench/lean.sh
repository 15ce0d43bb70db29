#!/usr/bin/env bash
# The lean figures in one run under Wine, each against its baseline: the exe's size, the
# start to the hidden window and to the tray icon and the memory with 300 windows (against
# a hidden window with a 250 ms timer), and the CPU of one window opening and closing
# beside them (against the same floor program). BENCH_BEFORE=<another Rimfold.exe> adds it
# to the same alternation.
set -euo pipefail
cd "$(dirname "$0")/.."
for arch in win64 win32; do
  [ -f "build/$arch/Rimfold.exe" ] || { echo "lean: build/$arch/Rimfold.exe is missing (make build)" >&2; exit 2; }
done
echo "Rimfold.exe: win64 $(stat -c %s build/win64/Rimfold.exe) bytes, win32 $(stat -c %s build/win32/Rimfold.exe) bytes${BENCH_BEFORE:+ (before: $(stat -c %s "$BENCH_BEFORE") bytes)}"
BENCH_PARTS="lean resident" exec scripts/bench-wine.sh
