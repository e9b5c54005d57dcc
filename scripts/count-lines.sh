#!/usr/bin/env bash
# Counts lines of code against lines of tests, as the project measures them:
# tests are every text file under tests/ (helpers, fuzzers, scripts and
# models included); code is every other source, build and script file in the
# repository. Prints both and their ratio; with --max RATIO, fails above it.
set -euo pipefail
cd "$(dirname "$0")/.."
max=""
case "${1:-}" in
  --max) max="${2:?--max takes a ratio, e.g. 0.34}" ;;
  -h | --help)
    sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
  "") ;;
  *)
    echo "count-lines: unknown argument '$1' (try --help)" >&2
    exit 2
    ;;
esac

# Text files only: grep -I skips what looks binary (pictures, fuzz inputs).
count() { xargs -r grep -Ic '' 2>/dev/null | awk -F: '{ n += $NF } END { print n + 0 }'; }
source_pattern='\.(cpp|h|cmake|sh|py|js|html|css|def|map)$|(^|/)CMakeLists\.txt$|^CMakePresets\.json$|^windows/shims/|^\.ci/'
tests=$(git ls-files tests | count)
code=$(git ls-files | grep -v '^tests/' | grep -E "$source_pattern" | count)
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.2f", c ? t / c : 0 }')
echo "lines: code $code, tests $tests, tests/code $ratio"
if [ -n "$max" ] && awk -v r="$ratio" -v m="$max" 'BEGIN { exit !(r > m) }'; then
  echo "count-lines: tests are more than $max of the code" >&2
  exit 1
fi
