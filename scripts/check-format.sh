#!/usr/bin/env bash
# Fails when a C++ file that git tracks differs from the style in .clang-format, and names it.
# Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format > /dev/null || { echo "check-format: clang-format is not installed" >&2; exit 1; }
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror 2> "$report"; then
  grep -o '^[^:]*:[0-9]*' "$report" | sort -u | head -n 40 >&2
  echo "check-format: these files differ from .clang-format; run: git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
  exit 1
fi
echo "check-format: every C++ file matches .clang-format"
