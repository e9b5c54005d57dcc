#!/usr/bin/env bash
# Line coverage of the game by the game fuzzer's corpus: builds the fuzzer with
# clang's source coverage of the module's code (build/fuzz-coverage, no
# sanitizers), runs every input of the corpus once, prints llvm-cov's report for
# game/, draw/ and module/, and last the share of the lines of game/ and draw/
# that were reached.
#   scripts/fuzz-coverage.sh [CORPUS-FOLDER]   (default: tests/fuzz/game-corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=$(realpath "${1:-tests/fuzz/game-corpus}")
[ -d "$corpus" ] || { echo "fuzz-coverage: no folder $corpus" >&2; exit 2; }
tool() { command -v "$1" || command -v "$1-14" || { echo "fuzz-coverage: $1 is missing (package llvm)" >&2; exit 1; }; }
profdata=$(tool llvm-profdata)
cov=$(tool llvm-cov)
build=build/fuzz-coverage
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DVELBRIK_FUZZ=ON \
  -DVELBRIK_TESTS=OFF -DVELBRIK_BENCH=OFF -DVELBRIK_FUZZ_COVERAGE=ON >/dev/null
nice cmake --build "$build" --target velbrik_fuzz_game
rm -f "$build"/game-*.profraw
LLVM_PROFILE_FILE="$build/game-%p.profraw" "$build/bin/velbrik_fuzz_game" -runs=0 "$corpus" 2>"$build/run.log" ||
  { tail -n 20 "$build/run.log" >&2; exit 1; }
"$profdata" merge -sparse "$build"/game-*.profraw -o "$build/game.profdata"
report() { "$cov" report "$build/bin/velbrik_fuzz_game" -instr-profile="$build/game.profdata" "$@"; }
report game/ draw/ module/
# TOTAL's columns: regions, missed, cover, functions, missed, cover, lines, missed, cover, ...
report game/ draw/ | awk '$1 == "TOTAL" { print "fuzz-coverage: game/ and draw/: " $10 " of " $8 " lines reached" }'
