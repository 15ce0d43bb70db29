#!/usr/bin/env bash
# End-to-end desktop suite: runs tests/desktop/cases/*.sh on Wine desktops.
#
#   tests/desktop/run.sh [case-name...]     (default: every case)
#
# Builds nothing: expects build/win64/helpers/*.exe (or $RIMFOLD_HELPERS) and
# build/win64/Rimfold.exe (or $RIMFOLD_EXE). Each case file starts with a
# header naming its desktop:
#   # desktop: shell | monitors one | monitors right | monitors left | monitors three
#   # fresh: yes          (optional: a desktop of its own instead of a shared one)
#   # win32: yes          (also run with the 32-bit Rimfold.exe, see DESKTOP_ARCH)
# Cases sharing a desktop kind share one desktop, started once; each case
# still gets its own work dir and its leftover processes are ended after it.
# A case passes with exit 0, is skipped with exit 77 and fails otherwise; see
# lib.sh for the helpers it can use. Prints PASS/FAIL/SKIP per case and ends
# with "N passed, N failed".
set -uo pipefail

DESKTOP_TESTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="$(cd "$DESKTOP_TESTS/../.." && pwd)"
export RIMFOLD_ROOT="$ROOT"
export RIMFOLD_BUILD="${RIMFOLD_BUILD:-$ROOT/build}"
export RIMFOLD_HELPERS="${RIMFOLD_HELPERS:-$RIMFOLD_BUILD/win64/helpers}"
# DESKTOP_ARCH=win32: only the cases marked "win32: yes", with the 32-bit Rimfold.exe on the
# 64-bit desktop (WOW64), as the 32-bit zip runs on 64-bit Windows; the helpers stay 64-bit.
DESKTOP_ARCH="${DESKTOP_ARCH:-win64}"
case "$DESKTOP_ARCH" in win64 | win32) ;; *) echo "DESKTOP_ARCH: win64 or win32" >&2; exit 2 ;; esac
export RIMFOLD_EXE="${RIMFOLD_EXE:-$RIMFOLD_BUILD/$DESKTOP_ARCH/Rimfold.exe}"
export DESKTOP_TESTS
# Screenshots the cases take for review outlive the run's work dirs.
export DESKTOP_TESTS_SHOTS="${DESKTOP_TESTS_SHOTS:-$RIMFOLD_BUILD/desktop-shots}"
[ "$DESKTOP_ARCH" = win32 ] && DESKTOP_TESTS_SHOTS+="/32-bit"
CASE_TIMEOUT="${CASE_TIMEOUT:-90}"

# shellcheck source=../../scripts/wine/desktop.sh
source "$ROOT/scripts/wine/desktop.sh"
if [ "$DESKTOP_ARCH" = win32 ] && ! wine32_runs; then
  echo "skipped: this machine's kernel runs no 32-bit programs (no IA32 emulation); the 32-bit Rimfold.exe is built, not run"
  exit "$WINE32_SKIPPED"
fi

passed=0 failed=0 skipped=0
RUN_DIR="$(mktemp -d "${TMPDIR:-/tmp}/rimfold-desktop-run.XXXXXX")"
cleanup() {
  wine_desktop_stop
  rm -rf "$RUN_DIR"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

header() {  # file key -> value of "# key: value" in the leading comment block
  awk -v key="$2" '
    !/^#/ { exit }
    { line = $0; sub(/^#[ \t]*/, "", line)
      if (index(line, key ":") == 1) { sub(/^[^:]*:[ \t]*/, "", line); print line; exit } }' "$1"
}

now_ms() { date +%s%3N; }

# Ends what a case left running: its recorded Wine processes.
end_case_processes() {
  local pid
  [ -f "$1/pids" ] || return 0
  while read -r pid; do
    kill "$pid" 2>/dev/null
  done <"$1/pids"
  sleep 0.1
  while read -r pid; do
    kill -KILL "$pid" 2>/dev/null
  done <"$1/pids"
}

run_case() {  # file
  local file="$1" name label dir rc reason t0 secs crash
  name="$(basename "$file" .sh)"
  dir="$RUN_DIR/$name"
  label="$name"
  [ "$DESKTOP_ARCH" = win32 ] && label+=" (32-bit)"
  mkdir -p "$dir"
  t0=$(now_ms)
  CASE_NAME="$name" CASE_DIR="$dir" timeout -k 5 "$CASE_TIMEOUT" \
    bash -c 'source "$DESKTOP_TESTS/lib.sh"; source "$1"' case "$file" >"$dir/output" 2>&1 </dev/null
  rc=$?
  end_case_processes "$dir"
  secs=$(awk -v ms=$(( $(now_ms) - t0 )) 'BEGIN { printf "%.1f", ms / 1000 }')
  reason="$(cat "$dir/reason" 2>/dev/null)"
  [ -n "$reason" ] || reason="$(tail -n 1 "$dir/output" 2>/dev/null)"
  if [ $rc -eq 0 ]; then
    passed=$((passed + 1)); echo "PASS $label (${secs} s)"
  elif [ $rc -eq 77 ]; then
    skipped=$((skipped + 1)); echo "SKIP $label: ${reason:-skipped}"
  else
    [ $rc -eq 124 ] && reason="timed out after ${CASE_TIMEOUT} s; ${reason}"
    # A program of the case that crashed says so in the background log.
    crash="$(grep -a -m 1 -i "unhandled\|exception" "$dir/bg.log" 2>/dev/null)"
    [ -n "$crash" ] && reason+="; background log: $crash"
    failed=$((failed + 1)); echo "FAIL $label: ${reason:-exit code $rc} (${secs} s)"
    [ "${DESKTOP_TESTS_VERBOSE:-0}" = 1 ] && sed 's/^/    /' "$dir/output"
  fi
}

fail_case() {  # name reason
  failed=$((failed + 1)); echo "FAIL $1: $2"
}

# Collect the cases, in name order, optionally filtered by the arguments.
cases=()
for f in "$DESKTOP_TESTS"/cases/*.sh; do
  [ -f "$f" ] || continue
  n="$(basename "$f" .sh)"
  if [ $# -gt 0 ]; then
    keep=0
    for want in "$@"; do [ "$want" = "$n" ] && keep=1; done
    [ $keep = 1 ] || continue
  fi
  [ "$DESKTOP_ARCH" = win32 ] && [ "$(header "$f" win32)" != yes ] && continue
  cases+=("$f")
done

missing=""
for h in rf_ready rf_windows rf_ctl rf_hooklog; do
  [ -f "$RIMFOLD_HELPERS/$h.exe" ] || missing+=" $h.exe"
done
if [ -n "$missing" ]; then
  for f in "${cases[@]}"; do fail_case "$(basename "$f" .sh)" "helpers not built:$missing (in $RIMFOLD_HELPERS)"; done
  echo "$passed passed, $failed failed"
  exit 1
fi

# Shared desktops first, one kind at a time, then the cases wanting their own.
# Kinds contain spaces ("monitors right"): one per line, in first-seen order.
mapfile -t kinds < <(for f in "${cases[@]}"; do
  [ "$(header "$f" fresh)" = yes ] && continue
  k="$(header "$f" desktop)"; echo "${k:-shell}"; done | awk '!seen[$0]++')

start_desktop() {  # kind; on failure the reason is in $RUN_DIR/why
  local t0
  t0=$(now_ms)
  # shellcheck disable=SC2086
  if ! wine_desktop_start $1 2>"$RUN_DIR/why"; then
    [ -s "$RUN_DIR/why" ] || echo "desktop did not start" >"$RUN_DIR/why"
    return 1
  fi
  [ "${DESKTOP_TESTS_TIMINGS:-0}" = 1 ] &&
    echo "desktop '$1' ready in $(( $(now_ms) - t0 )) ms: $(tr '\n' ' ' <"$WINE_DESKTOP_STATE/timings")"
  return 0
}

for kind in "${kinds[@]}"; do
  [ -n "$kind" ] || continue
  group=()
  for f in "${cases[@]}"; do
    k="$(header "$f" desktop)"
    [ "${k:-shell}" = "$kind" ] && [ "$(header "$f" fresh)" != yes ] && group+=("$f")
  done
  if ! start_desktop "$kind"; then
    for f in "${group[@]}"; do fail_case "$(basename "$f" .sh)" "desktop '$kind': $(head -n 1 "$RUN_DIR/why")"; done
    continue
  fi
  for f in "${group[@]}"; do run_case "$f"; done
  wine_desktop_stop
done

for f in "${cases[@]}"; do
  [ "$(header "$f" fresh)" = yes ] || continue
  k="$(header "$f" desktop)"
  if ! start_desktop "${k:-shell}"; then
    fail_case "$(basename "$f" .sh)" "desktop '${k:-shell}': $(head -n 1 "$RUN_DIR/why")"
    continue
  fi
  run_case "$f"
  wine_desktop_stop
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
