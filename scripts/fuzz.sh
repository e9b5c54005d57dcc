#!/usr/bin/env bash
# Builds the fuzzers (clang, libFuzzer, sanitizers) and runs each for a bounded
# time from its committed corpus: the session fuzzer (bytes read as a session
# script, into the plug-in; the example and digest sessions seed it too) and
# the game fuzzer (a byte-coded command stream, into the module linked in with
# coverage). Default 60 seconds in all, half each. Any finding fails the run;
# the input that caused it is kept under build/fuzz/findings/ (add it to the
# corpus once fixed).
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
case "$seconds" in '' | *[!0-9]*) echo "fuzz: SECONDS must be a whole number, got '$seconds'" >&2; exit 2 ;; esac
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/findings
run() {  # NAME CORPUS [OPTION]...; the inputs in ${seeds[@]} start the run too
  local name=$1 corpus=$2 work
  shift 2
  work=$(mktemp -d)
  [ ${#seeds[@]} -eq 0 ] || cp "${seeds[@]}" "$work"
  mkdir -p "$corpus"  # a corpus not started yet is an empty one
  echo "== $name for $((seconds / 2))s" >&2
  if ! build/fuzz/bin/"$name" -max_total_time=$((seconds / 2)) -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/findings/ "$@" "$work" "$corpus" 2>"build/fuzz/$name.log"; then
    rm -rf "$work"
    tail -n 60 "build/fuzz/$name.log" >&2
    echo "fuzz: $name found a fault; the input is in build/fuzz/findings/" >&2
    exit 1
  fi
  rm -rf "$work"
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "build/fuzz/$name.log" >&2 || true
}
seeds=(examples/*.session tests/digests/*.session)
run velbrik_fuzz_session tests/fuzz/corpus -dict=tests/fuzz/session.dict -max_len=1024
seeds=()
run velbrik_fuzz_game tests/fuzz/game-corpus -max_len=1024
echo "fuzz: 2 passed, 0 failed" >&2
