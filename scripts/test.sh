#!/usr/bin/env bash
# Builds everything with warnings fatal and runs the whole test suite, then
# builds it again with the address and undefined-behaviour sanitizers and runs
# it there too. `scripts/test.sh ci` (or asan) runs just one of the two.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in "${@:-ci asan}"; do
  for p in $preset; do
    echo "== cmake --workflow --preset $p" >&2
    cmake --workflow --preset "$p"
  done
done
