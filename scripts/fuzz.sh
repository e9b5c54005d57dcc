#!/usr/bin/env bash
# Builds the session fuzzer (clang, libFuzzer, sanitizers) and runs it for a
# bounded time, default 60 seconds, from the committed corpus. Any finding fails
# the run; the input that caused it is kept under build/fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build/fuzz/findings
echo "== fuzzing for ${seconds}s" >&2
build/fuzz/bin/velbrik_fuzz_session -dict=tests/fuzz/session.dict -max_total_time="$seconds" -max_len=1024 \
  -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix=build/fuzz/findings/ \
  "$work" tests/fuzz/corpus 2> build/fuzz/fuzz.log || {
  tail -n 60 build/fuzz/fuzz.log >&2
  echo "fuzz: a finding; the input is in build/fuzz/findings/" >&2
  exit 1
}
grep -E '^stat::number_of_executed_units|^Done' build/fuzz/fuzz.log >&2 || true
echo "fuzz: 1 passed, 0 failed" >&2
