#!/usr/bin/env bash
# Runs the core benchmark from build/bench and prints its figures.
# Usage: scripts/run-bench.sh [extra Google Benchmark flags]
set -euo pipefail
cd "$(dirname "$0")/.."
# RIMFOLD_BENCH_DIR points at another bench-preset build directory.
bench="${RIMFOLD_BENCH_DIR:-build/bench}/rimfold_bench"
if [ ! -x "$bench" ]; then
  echo "$bench is missing: cmake --preset bench && cmake --build build/bench --target rimfold_bench" >&2
  exit 2
fi

echo "== core benchmark (fake desktop) =="
"$bench" --benchmark_counters_tabular=true "$@"

# ---- whole-program benchmark under Wine ----
# scripts/bench-wine.sh times the real Rimfold.exe on a Wine desktop; run it when present.
if [ -x scripts/bench-wine.sh ]; then
  echo "== whole-program benchmark (Wine) =="
  scripts/bench-wine.sh
else
  echo "(scripts/bench-wine.sh not present: whole-program figures skipped)"
fi
