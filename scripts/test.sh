#!/usr/bin/env bash
# Builds everything with warnings fatal and runs the whole test suite, builds it
# again with the address and undefined-behaviour sanitizers and runs it there
# too, then runs the session fuzzer for a minute. `scripts/test.sh ci` (or asan,
# or fuzz) runs just one of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for step in "${@:-ci asan fuzz}"; do
  for s in $step; do
    if [ "$s" = fuzz ]; then
      scripts/fuzz.sh 60
    else
      echo "== cmake --workflow --preset $s" >&2
      cmake --workflow --preset "$s"
    fi
  done
done
