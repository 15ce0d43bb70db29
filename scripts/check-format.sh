#!/usr/bin/env bash
# Every tracked C++ file as .clang-format has it (the desktop helpers by their own file).
# With --fix the files are formatted in place instead.
set -uo pipefail
cd "$(dirname "$0")/.."
fix=0
[ "${1:-}" = "--fix" ] && fix=1
passed=0 failed=0
while IFS= read -r f; do
  if [ $fix -eq 1 ]; then
    clang-format -i "$f"
  elif clang-format --dry-run --Werror "$f" 2>/dev/null; then
    passed=$((passed + 1))
  else
    echo "not formatted: $f (make format)"
    failed=$((failed + 1))
  fi
done < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
[ $fix -eq 1 ] && exit 0
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
