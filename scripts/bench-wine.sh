#!/usr/bin/env bash
# Whole-program benchmark: the real Rimfold.exe on a Wine shell desktop.
#
# 1. The dialog (bench/win32/dialog_bench.cpp).
# 2. The sweep at the cost floor: Rimfold.exe /Q and build/win64/rimfold_floor.exe once (a
#    program making only the queries a sweep could need, bench/win32/floor_sweep.cpp),
#    alternating in the same run, first with no windows of ours and then with 300 windows
#    all inside the work area. CPU per window is the difference between the two desktops
#    over 300: the program's own CPU ("client") and what wineserver spent meanwhile; for
#    the sweep alone (sampled) and for the whole process from start to exit.
# 3. The resident cost of one window opening and closing at those 300 windows: Rimfold
#    resident and the floor program resident, alternating; CPU over 4 s with one window
#    created and destroyed, minus an idle 4 s before it.
# 4. One-shot wall times with 200 windows, half of them sticking out.
#
# 0. Lean: the start to the hidden window and to the tray icon, and the memory (RSS / PSS)
#    with 300 windows on the desktop, against the floor program resident (a hidden window
#    with a 250 ms timer) and the same with a tray icon ("tray"); with part 3 these are
#    bench/lean.sh's figures.
#
# BENCH_PARTS (default "dialog sweep resident oneshot"; also "lean"): the parts to run.
# BENCH_RUNS (default 5): runs per program and desktop in part 2, rounds in parts 0 and 3.
# BENCH_BEFORE=<path of another Rimfold.exe>: measured in the same alternation as "before".
# BENCH_KEEP=<folder>: the raw figures and CPU samples of every run are kept there.
# BENCH_SMAPS=<folder>: part 0 leaves each program's /proc/<pid>/smaps there, to see which
#    mappings the memory is in.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
HELPERS="$ROOT/build/win64/helpers"
EXE="$ROOT/build/win64/Rimfold.exe"
FLOOR="$ROOT/build/win64/rimfold_floor.exe"
BEFORE="${BENCH_BEFORE:-}"
RUNS="${BENCH_RUNS:-5}"
WINDOWS=300
for f in "$EXE" "$FLOOR" ${BEFORE:+"$BEFORE"}; do
  [ -f "$f" ] || { echo "bench-wine: $f is missing (make win64)" >&2; exit 2; }
done
# shellcheck source=wine/desktop.sh
source scripts/wine/desktop.sh
work="$(mktemp -d)"
helper_pids=()
keep() { [ -n "${BENCH_KEEP:-}" ] && mkdir -p "$BENCH_KEEP" && cp -r "$work/." "$BENCH_KEEP/"; }
trap 'kill "${helper_pids[@]}" 2>/dev/null; wine_desktop_stop; keep; rm -rf "$work"' EXIT
wine_desktop_start shell || exit 1
winpath() { printf 'Z:%s' "${1//\//\\}"; }
ctl() { timeout -k 2 20 "$WINE64" "$HELPERS/rf_ctl.exe" "$@" </dev/null 2>/dev/null; }

# ---- CPU accounting ----

# User + system time of the children in `times` output (its second line), in microseconds.
children_cpu_us() {
  awk 'NR == 2 {
    n = split($1 " " $2, t, " "); s = 0
    for (i = 1; i <= n; i++) { split(t[i], ms, "m"); sub(/s$/, "", ms[2]); s += ms[1] * 60 + ms[2] }
    printf "%d\n", s * 1000000 }' "$1"
}

# CPU of a running process, all threads, in microseconds.
process_cpu_us() {
  cat /proc/"$1"/task/*/sched 2>/dev/null |
    awk '/^se.sum_exec_runtime/ { s += $3 } END { printf "%d\n", s * 1000 }'
}

# The wineserver of this prefix.
server_pid=""
for p in $(pgrep -x wineserver64; pgrep -x wineserver); do
  if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    server_pid=$p
  fi
done
[ -n "$server_pid" ] || { echo "bench-wine: wineserver of $WINEPREFIX not found" >&2; exit 1; }
server_cpu_us() { process_cpu_us "$server_pid"; }
# The shell's explorer processes of this prefix: while they work, the server works for them.
shell_pids=()
for p in $(pgrep -f 'explorer\.exe'); do
  if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    shell_pids+=("$p")
  fi
done
shell_cpu_us() {
  local p sum=0
  for p in "${shell_pids[@]}"; do sum=$(( sum + $(process_cpu_us "$p") )); done
  echo "$sum"
}

# Until wineserver has been idle for a quarter of a second (at most 120 s). Wine's explorer
# was seen to work steadily for about 13 s after 300 new windows, and for a while after each
# program that opens windows; a measurement that overlapped that would count it.
# With a resident program running, its own ticks keep the server a little busy: the caller
# then allows more (microseconds per quarter second, 5000 by default).
settle_desktop() {
  local a b limit="${1:-5000}"
  for _ in $(seq 480); do
    a=$(server_cpu_us); sleep 0.25; b=$(server_cpu_us)
    (( b - a < limit )) && return 0
  done
  echo "bench-wine: the desktop did not settle" >&2
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# The CPU of the sweep alone, from samples "ms client server shell" (microseconds) taken
# while the program ran: both programs wait 1 s before their sweep and 0.5 s after it, so
# the sweep lies between the end of the start (the first stretch of 300 ms without client
# CPU) and the exit (the end of the last such stretch), and the server's CPU is taken over
# the same span. A span in which the shell worked too (Wine's explorer works for up to a
# second after Rimfold's start, the longer the more windows there are) says nothing about
# the sweep: it gives "-1 -1" and the run is repeated.
SWEEP_SPAN_AWK='
{ n++; t[n] = $1; c[n] = $2; s[n] = $3; e[n] = $4 }
END {
  flat = 200; span = 300; first = 0; last = 0
  for (i = 1; i < n && !first; i++)
    for (j = i; j < n && c[j + 1] - c[j] < flat; j++) if (t[j + 1] - t[i] >= span) { first = i; break }
  for (k = n; k > 1 && !last; k--)
    for (j = k; j > 1 && c[j] - c[j - 1] < flat; j--) if (t[k] - t[j - 1] >= span) { last = k; break }
  if (!first || last <= first || e[last] - e[first] > 2000) { print "-1 -1"; exit }
  print c[last] - c[first], s[last] - s[first]
}'

# measure_run CMD...: one run on a settled desktop; RUN_RESULT := "client server sweep-client
# sweep-server" in microseconds: the whole process, then the sweep alone.
measure_run() {
  local s0 s1 runner pid now
  settle_desktop
  rm -f "$work/pid" "$work/times"
  : >"$work/samples"
  s0=$(server_cpu_us)
  # A subshell of its own, so that `times` there counts the program and not the sampler.
  ( "$@" </dev/null >/dev/null 2>&1 &
    echo $! >"$work/pid.new" && mv "$work/pid.new" "$work/pid"
    wait $!
    times >"$work/times" ) &
  runner=$!
  until [ -s "$work/pid" ]; do sleep 0.005; done
  pid=$(<"$work/pid")
  while kill -0 "$pid" 2>/dev/null; do
    now=$(process_cpu_us "$pid")
    (( now > 0 )) && echo "$(date +%s%3N) $now $(server_cpu_us) $(shell_cpu_us)" >>"$work/samples"
    sleep 0.02
  done
  wait "$runner"
  s1=$(server_cpu_us)
  RUN_RESULT="$(children_cpu_us "$work/times") $(( s1 - s0 )) $(awk "$SWEEP_SPAN_AWK" "$work/samples")"
  runs=$((runs + 1))
  cp "$work/samples" "$work/samples-$runs"
}

runs=0
# run_once LABEL CMD...: appends a run's RUN_RESULT to $work/LABEL, after up to three more
# attempts when the shell disturbed the sweep.
run_once() {
  local label="$1" attempt
  shift
  for attempt in 1 2 3 4; do
    measure_run "$@"
    [[ $RUN_RESULT == *-1* ]] || break
  done
  echo "$RUN_RESULT $runs" >>"$work/$label"
}

# The programs measured, in the order they alternate.
programs=(rimfold floor)
[ -n "$BEFORE" ] && programs=(before rimfold floor)
oneshot_cmd() {
  case "$1" in
    rimfold) echo "$WINE64 $EXE /Q" ;;
    before) echo "$WINE64 $BEFORE /Q" ;;
    floor) echo "$WINE64 $FLOOR once" ;;
  esac
}

# alternate DESK: RUNS rounds of every program, one after the other.
alternate() {
  local i prog cmd
  for ((i = 0; i < RUNS; i++)); do
    for prog in "${programs[@]}"; do
      read -r -a cmd <<<"$(oneshot_cmd "$prog")"
      run_once "$1-$prog" "${cmd[@]}"
    done
  done
}

# The median of a column over the runs; a disturbed run (-1) is left out.
column_median() { awk -v c="$2" '$c >= 0 { print $c }' "$work/$1" | median; }

# settle PID: until the program has used less than 20 ms of CPU in half a second (its
# start and its first sweep over every window are over), at most 60 s.
settle() {
  local a b
  sleep 1
  for _ in $(seq 120); do
    a=$(process_cpu_us "$1"); sleep 0.5; b=$(process_cpu_us "$1")
    (( b - a < 20000 )) && return 0
  done
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

BENCH_PARTS="${BENCH_PARTS:-dialog sweep resident oneshot}"
part() { [[ " $BENCH_PARTS " == *" $1 "* ]]; }

# windows_up: the 300 windows, a 20 x 15 grid of 300 x 200 windows, every one inside the
# 1920 x 1060 work area (once).
windows_up() {
  [ -s "$work/inside.report" ] && return 0
  for ((i = 0; i < WINDOWS; i++)); do
    echo "w$i|Bench $i|RimfoldBench|00CF0000|0|$(( (i % 20) * 80 )),$(( (i / 20) * 55 )),300,200|"
  done >"$work/inside.txt"
  "$WINE64" "$HELPERS/rf_windows.exe" "$(winpath "$work/inside.txt")" "$(winpath "$work/inside.report")" \
    bench300 </dev/null >/dev/null 2>&1 &
  helper_pids+=($!)
  for _ in $(seq 600); do [ -s "$work/inside.report" ] && break; sleep 0.05; done
  [ -s "$work/inside.report" ] || { echo "bench-wine: the $WINDOWS windows did not appear" >&2; exit 1; }
}

# ---- 1. the dialog ----
if part dialog; then
  if [ -f "$ROOT/build/win64/rimfold_dialog_bench.exe" ]; then
    timeout -k 2 120 "$WINE64" "$ROOT/build/win64/rimfold_dialog_bench.exe" </dev/null 2>/dev/null
  fi
fi

# ---- 2. one-shot sweep against the floor ----
if part sweep; then
  # Warm-up: the first run creates the data files and pages everything in.
  for prog in "${programs[@]}"; do read -r -a cmd <<<"$(oneshot_cmd "$prog")"; run_once warmup "${cmd[@]}"; done
  alternate empty

  windows_up
  alternate full

  per_window() {  # program, column: microseconds per window
    echo $(( ($(column_median "full-$1" "$2") - $(column_median "empty-$1" "$2")) / WINDOWS ))
  }
  declare -A total
  report_oneshot() {  # title, client column, server column
    local prog c s
    echo "$1 (median of $RUNS each):"
    printf '  %-8s %10s %10s %10s\n' program client server total
    for prog in "${programs[@]}"; do
      c=$(per_window "$prog" "$2")
      s=$(per_window "$prog" "$3")
      total[$prog]=$(( c + s ))
      printf '  %-8s %7d us %7d us %7d us\n' "$prog" "$c" "$s" "${total[$prog]}"
    done
    echo "  rimfold / floor: $(ratio "${total[rimfold]}" "${total[floor]}")${BEFORE:+ (before: $(ratio "${total[before]}" "${total[floor]}"))}"
  }
  report_oneshot "one-shot sweep over $WINDOWS windows inside the area, CPU per window, the sweep alone" 3 4
  left_out=""
  for prog in "${programs[@]}"; do
    n=$(cat "$work/empty-$prog" "$work/full-$prog" | awk '$3 < 0' | wc -l)
    (( n > 0 )) && left_out+="${left_out:+, }$prog $n"
  done
  [ -n "$left_out" ] && echo "  (runs left out, the shell busy during all four attempts: $left_out)"
  # The whole process also pays for its start and exit, where each window it opens or closes
  # makes Wine's explorer work in proportion to the windows on the desktop.
  report_oneshot "the same, whole process from start to exit" 1 2
fi

# ---- 0. lean: start and memory against the floor program resident ----
if part lean; then
  windows_up
  lean_programs=(rimfold floor tray)
  [ -n "$BEFORE" ] && lean_programs=(before rimfold floor tray)
  # lean_round PROG: one start, timed inside Wine; then the memory once it has settled.
  lean_round() {
    local line class title tip image pid times
    case "$1" in
      rimfold) line="\"$(winpath "$EXE")\"" class=TMainForm title=Rimfold tip=Rimfold image=Rimfold.exe ;;
      before) line="\"$(winpath "$BEFORE")\"" class=TMainForm title=Rimfold tip=Rimfold image="$(basename "$BEFORE")" ;;
      floor) line="\"$(winpath "$FLOOR")\" resident" class=RimfoldFloor title=rimfold_floor tip="" image=rimfold_floor.exe ;;
      # The floor with a tray icon: the shell's libraries a tray icon brings, paid by both.
      tray) line="\"$(winpath "$FLOOR")\" resident-tray" class=RimfoldFloor title=rimfold_floor tip=rimfold_floor image=rimfold_floor.exe ;;
    esac
    settle_desktop
    # Into a file: the started program inherits the output, and a pipe would stay open.
    ctl launch-times "$line" "$class" "$title" ${tip:+"$tip"} >"$work/times" ||
      { echo "bench-wine: $1 did not start" >&2; return 1; }
    times=$(cat "$work/times")
    [ -z "$tip" ] && times+=" -1"
    pid=$(pgrep -n -f "$image")
    settle "$pid"
    [ -n "${BENCH_SMAPS:-}" ] && cp "/proc/$pid/smaps" "$BENCH_SMAPS/$1.smaps"
    echo "$times $(awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } END { print r, p }' "/proc/$pid/smaps_rollup")" \
      >>"$work/lean-$1"
    ctl close "$(ctl find "$class" "$title")" >/dev/null
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill "$pid" 2>/dev/null
  }
  for ((i = 0; i < RUNS; i++)); do
    for prog in "${lean_programs[@]}"; do lean_round "$prog"; done
  done
  mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
  echo "lean: the start and the memory with $WINDOWS windows on the desktop (median of $RUNS):"
  printf '  %-8s %12s %12s %10s %10s\n' program "to window" "to tray" RSS PSS
  for prog in "${lean_programs[@]}"; do
    tray="-"
    [ "$prog" = floor ] || tray="$(column_median "lean-$prog" 2) ms"
    printf '  %-8s %9s ms %12s %7s MB %7s MB\n' "$prog" "$(column_median "lean-$prog" 1)" "$tray" \
      "$(mb "$(column_median "lean-$prog" 3)")" "$(mb "$(column_median "lean-$prog" 4)")"
  done
fi

# ---- 3. resident: one window opening and closing ----
if part resident; then
  INTERVAL=4
  # The window that opens and closes belongs to a blinker started once, told through a file:
  # starting a Wine process (a helper call) can open hidden windows too, and a resident program
  # would sweep for those at random moments.
  echo close >"$work/blink"
  "$WINE64" "$FLOOR" blinker "$(winpath "$work/blink")" </dev/null >/dev/null 2>&1 &
  blinker_pid=$!
  helper_pids+=("$blinker_pid")
  # resident_round LABEL CMD...: start it, let it settle, then an idle interval and an interval
  # with one window opened and closed; appends "client server-event server-idle" to LABEL.
  resident_round() {
    local label="$1" pid="" c0 c1 c2 s0 s1 s2
    shift
    if [ $# -gt 0 ]; then
      "$@" </dev/null >/dev/null 2>&1 &
      pid=$!
      settle "$pid"
    fi
    settle_desktop 25000
    cpu() { if [ -n "$pid" ]; then process_cpu_us "$pid"; else echo 0; fi; }
    c0=$(cpu); s0=$(server_cpu_us)
    sleep "$INTERVAL"
    c1=$(cpu); s1=$(server_cpu_us)
    echo open >"$work/blink"
    sleep $((INTERVAL / 2))
    echo close >"$work/blink"
    sleep $((INTERVAL / 2))
    c2=$(cpu); s2=$(server_cpu_us)
    echo "$(( (c2 - c1) - (c1 - c0) )) $(( s2 - s1 )) $(( s1 - s0 ))" >>"$work/resident-$label"
    if [ -n "$pid" ]; then
      local h
      h=$(ctl find "${CLOSE_CLASS}" "${CLOSE_TITLE}") && ctl close "$h" >/dev/null
      for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
      kill "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
    fi
  }
  resident_programs=(rimfold floor none)
  [ -n "$BEFORE" ] && resident_programs=(before rimfold floor none)
  for ((i = 0; i < RUNS; i++)); do
    for prog in "${resident_programs[@]}"; do
      case "$prog" in
        rimfold) CLOSE_CLASS=TMainForm CLOSE_TITLE=Rimfold resident_round "$prog" "$WINE64" "$EXE" ;;
        before) CLOSE_CLASS=TMainForm CLOSE_TITLE=Rimfold resident_round "$prog" "$WINE64" "$BEFORE" ;;
        floor) CLOSE_CLASS=RimfoldFloor CLOSE_TITLE=rimfold_floor resident_round "$prog" "$WINE64" "$FLOOR" resident ;;
        none) resident_round none ;;
      esac
    done
  done
  # The server's share: its CPU in the event interval beyond the idle one, beyond what the
  # window's own creation and destruction cost it with no program watching.
  server_event() { awk '{ print $2 - $3 }' "$work/resident-$1" | median; }
  none_server=$(server_event none)
  echo "resident: one window opened and closed at $WINDOWS windows, CPU (median of $RUNS):"
  printf '  %-8s %10s %10s %10s\n' program client server total
  declare -A rtotal
  for prog in "${resident_programs[@]}"; do
    [ "$prog" = none ] && continue
    c=$(column_median "resident-$prog" 1)
    s=$(( $(server_event "$prog") - none_server ))
    rtotal[$prog]=$(( c + s ))
    printf '  %-8s %7d ms %7d ms %7d ms\n' "$prog" $((c / 1000)) $((s / 1000)) $((rtotal[$prog] / 1000))
  done
  echo "  rimfold / floor: $(ratio "${rtotal[rimfold]}" "${rtotal[floor]}")${BEFORE:+ (before: $(ratio "${rtotal[before]}" "${rtotal[floor]}"))}"
  echo quit >"$work/blink"
  kill "${helper_pids[@]}" 2>/dev/null
  wait "${helper_pids[@]}" 2>/dev/null
  helper_pids=()
fi

# ---- 4. one-shot wall times with corrections ----
if part oneshot; then
  median_run() {  # prints the median wall time of RUNS one-shot runs, in ms
    local i t0 times=()
    for ((i = 0; i < RUNS; i++)); do
      settle_desktop
      t0=$(date +%s%3N)
      timeout -k 2 60 "$WINE64" "$EXE" /Q </dev/null >/dev/null 2>&1
      times+=($(( $(date +%s%3N) - t0 )))
    done
    printf '%s\n' "${times[@]}" | median
  }
  base=$(median_run)
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
  helper_pids+=($!)
  for _ in $(seq 400); do [ -s "$work/report" ] && break; sleep 0.05; done
  [ -s "$work/report" ] || { echo "bench-wine: the helper windows did not appear" >&2; exit 1; }

  # The first run corrects the 100 windows that stick out; later runs find them inside.
  settle_desktop
  t0=$(date +%s%3N); timeout -k 2 60 "$WINE64" "$EXE" /Q </dev/null >/dev/null 2>&1; first=$(( $(date +%s%3N) - t0 ))
  again=$(median_run)

  echo "one-shot run, no extra windows:            ${base} ms (median of $RUNS)"
  echo "one-shot run, 200 windows (100 corrected): ${first} ms (one run)"
  echo "one-shot run, 200 windows, all inside:     ${again} ms (median of $RUNS)"
  echo "sweep cost over 200 real windows:          $(( first - base )) ms with corrections, $(( again - base )) ms without"
  echo "Rimfold.exe: $(stat -c %s "$EXE") bytes"
fi

