#!/usr/bin/env bash
# The guides and their pictures belong together: every image a guide shows is committed,
# and every committed image is shown by its guide (images/en-*.png by the English one, the
# others by the Japanese one). `make screenshots` makes them anew.
set -uo pipefail
cd "$(dirname "$0")/.."
passed=0 failed=0
for guide in docs/Rimfold.html docs/Rimfold.en.html; do
  for src in $(grep -o 'src="images/[^"]*"' "$guide" | sed 's/^src="//; s/"$//'); do
    if [ -s "docs/$src" ] && identify "docs/$src" >/dev/null 2>&1; then
      passed=$((passed + 1))
    else
      echo "missing or not an image: docs/$src, shown by $guide (make screenshots)"
      failed=$((failed + 1))
    fi
  done
done
for f in docs/images/*.png; do
  name="$(basename "$f")"
  guide=docs/Rimfold.html
  [[ "$name" == en-* ]] && guide=docs/Rimfold.en.html
  grep -q "src=\"images/$name\"" "$guide" || { echo "not in $guide: $f"; failed=$((failed + 1)); }
done
# Each guide links the other.
grep -q 'href="Rimfold.en.html"' docs/Rimfold.html || { echo "the Japanese guide does not link the English one"; failed=$((failed + 1)); }
grep -q 'href="Rimfold.html"' docs/Rimfold.en.html || { echo "the English guide does not link the Japanese one"; failed=$((failed + 1)); }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
