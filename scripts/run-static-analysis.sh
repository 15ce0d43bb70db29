#!/usr/bin/env bash
# clang-tidy over the portable core (bugprone and performance checks, findings are errors),
# with the native build's compile commands. Closes with "N passed, N failed" (files).
set -uo pipefail
cd "$(dirname "$0")/.."
db=build/native/compile_commands.json
[ -f "$db" ] || { echo "static analysis: $db is missing (make native)" >&2; exit 2; }
command -v clang-tidy >/dev/null || { echo "static analysis: clang-tidy missing" >&2; exit 2; }

# Swappable parameters are how the platform's calls look (x, y, width, height).
checks='-*,bugprone-*,performance-*,-bugprone-easily-swappable-parameters'
# The core's folders: the portable ones of the layer map, as the native build compiles them.
files=$(for folder in $(sed 's/#.*//' src/layers.txt | awk '$2 == "portable" { print $1 }'); do
  ls src/"$folder"/*.cpp 2>/dev/null
done)
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# Two at a time: the machine has two cores.
printf '%s\n' $files | xargs -P 2 -I{} sh -c \
  'clang-tidy -p build/native --quiet --checks="$1" --warnings-as-errors="*" "$2" \
     >"$3/$(echo "$2" | tr / _).log" 2>&1 || echo "$2" >>"$3/failed"' _ "$checks" {} "$out"
total=$(printf '%s\n' $files | wc -l)
bad=0
if [ -f "$out/failed" ]; then
  bad=$(wc -l <"$out/failed")
  while read -r f; do
    echo "--- $f"
    grep -E "warning:|error:" "$out/$(echo "$f" | tr / _).log" | head -n 20
  done <"$out/failed"
fi
echo "$((total - bad)) passed, $bad failed"
[ "$bad" -eq 0 ]
