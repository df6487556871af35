#!/usr/bin/env bash
# Fails when a C++ file of ours differs from what clang-format makes of it with
# the tree's .clang-format, and names each such file. Build folders are skipped.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
report=$(find . -path ./build -prune -o -path ./.git -prune -o -type f \
  \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run 2>&1 | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' |
  sed 's/:.*//' | sort -u || true)
if [[ -n $report ]]; then
  printf 'check-format: not formatted (clang-format -i FILE): %s\n' $report >&2
  echo "check-format: $(printf '%s\n' $report | wc -l) file(s) not formatted" >&2
  exit 1
fi
echo "check-format: every C++ file is formatted"
