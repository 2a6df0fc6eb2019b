#!/usr/bin/env bash
# Lists the C++ files that clang-format would change and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t files < <(git ls-files '*.cpp' '*.hpp')
bad=()
for f in "${files[@]}"; do
  "$format" --style=file --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}" >&2
  echo "run: $format -i --style=file <file>" >&2
  exit 1
fi
echo "format-check: ${#files[@]} files formatted"
