#!/usr/bin/env bash
# Prints the size of the tests against the size of the program: non-blank,
# non-comment lines of C++ and of our own scripts (.js) under tests/, against
# those under src/ and resources/ (third_party/ is not ours and not counted).
# The project keeps the tests at most 35% of the program (aim: a quarter to a
# third); CI fails above that.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.js' \) -print0 |
    xargs -0 cat | awk '
      { line = $0 }
      in_block { if (line ~ /\*\//) { in_block = 0; sub(/.*\*\//, "", line) } else next }
      { gsub(/^[ \t]+|[ \t]+$/, "", line) }
      line == "" { next }
      line ~ /^\/\// { next }
      line ~ /^\/\*/ { if (line !~ /\*\//) in_block = 1; next }
      { n++ }
      END { print n + 0 }'
}

src=$(count src resources)
tests=$(count tests)
ratio=$(awk -v t="$tests" -v s="$src" 'BEGIN { printf "%.1f", 100 * t / s }')
echo "test ratio: tests $tests lines, src $src lines: $ratio% (limit 35%)"
if awk -v t="$tests" -v s="$src" 'BEGIN { exit !(t > 0.35 * s) }'; then
  echo "test ratio: over the limit" >&2
  exit 1
fi
