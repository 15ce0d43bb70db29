#!/usr/bin/env bash
# Builds the libFuzzer targets into build/fuzz and runs each one for a bounded time
# on a small generated seed corpus. Closing line: "N passed, N failed".
set -u

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"
seconds="${FUZZ_SECONDS:-20}"

cmake --preset fuzz -S "$root" -B "$build" >/dev/null || { echo "0 passed, 1 failed"; exit 1; }
cmake --build "$build" -j2 || { echo "0 passed, 1 failed"; exit 1; }

corpus="$build/corpus"
seed() {  # seed DIR NAME PRINTF-FORMAT
  mkdir -p "$corpus/$1"
  printf "$3" >"$corpus/$1/$2"
}

settings='[Tray]\r\nConstraints=0\r\nStop=0\r\nDispDialog=1\r\nMoveWindowSpeed=0\r\n\r\n[Key]\r\nStop=\r\n\r\n'
seed ini_file settings "$settings"
seed ini_file utf8 "\xEF\xBB\xBF$settings"
seed ini_file utf16le '\xFF\xFE[\0T\0]\0\r\0\n\0a\0=\0001\0\r\0\n\0'
seed ini_file utf16be '\xFE\xFF\0[\0T\0]\0\r\0\n\0a\0=\0001'
seed ini_file damaged 'junk\n[A]\nnoequals\n x = 0x1F \n[a]\nX=99999999999\n[B\n=\r\r\n'
seed text_decode ansi 'NOTEPAD.EXE,Notepad,Untitled\r\n\xE9\x80\n'
seed text_decode utf8 '\xEF\xBB\xBFa\xE3\x81\x82\xC0\xAF\xED\xA0\x80\r'
seed text_decode utf16le '\xFF\xFEa\0\x00\xD8b\0\n\0\x3D\xD8\x00\xDE\x41'
seed text_decode utf16be '\xFE\xFF\0a\xDC\x00\0\r'
seed text_decode bom '\xEF\xBB\xBF'

passed=0
failed=0
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  dir="$corpus/${name#fuzz_}"
  work="$build/work/$name"
  mkdir -p "$dir" "$work"
  echo "== $name (${seconds}s)"
  if (cd "$work" && "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
        "$dir" >"$work/log.txt" 2>&1); then
    passed=$((passed + 1))
    tail -n 1 "$work/log.txt"
  else
    failed=$((failed + 1))
    tail -n 40 "$work/log.txt"
  fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
