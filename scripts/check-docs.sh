#!/usr/bin/env bash
# The guide and its pictures belong together: every image it shows is committed, and
# every committed image is shown. `make screenshots` makes them anew.
set -uo pipefail
cd "$(dirname "$0")/.."
guide=docs/Rimfold.html
passed=0 failed=0
for src in $(grep -o 'src="images/[^"]*"' "$guide" | sed 's/^src="//; s/"$//'); do
  if [ -s "docs/$src" ] && identify "docs/$src" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    echo "missing or not an image: docs/$src (make screenshots)"; failed=$((failed + 1))
  fi
done
for f in docs/images/*.png; do
  grep -q "src=\"images/$(basename "$f")\"" "$guide" || { echo "not in the guide: $f"; failed=$((failed + 1)); }
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
