#!/usr/bin/env bash
# Line coverage of the game (game/, draw/, module/) by the game fuzzer's
# corpus: builds the fuzzer with clang's source coverage (build/fuzz-coverage),
# runs every input of the corpus once, and prints llvm-cov's report.
#   scripts/fuzz-coverage.sh [CORPUS-FOLDER]   (default: tests/fuzz/game-corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=$(realpath "${1:-tests/fuzz/game-corpus}")
[ -d "$corpus" ] || { echo "fuzz-coverage: no folder $corpus" >&2; exit 2; }
build=build/fuzz-coverage
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DVELBRIK_FUZZ=ON \
  -DVELBRIK_TESTS=OFF -DVELBRIK_BENCH=OFF "-DCMAKE_CXX_FLAGS=-fprofile-instr-generate -fcoverage-mapping" >/dev/null
nice cmake --build "$build" --target velbrik_fuzz_game
rm -f "$build"/game-*.profraw
LLVM_PROFILE_FILE="$build/game-%p.profraw" "$build/bin/velbrik_fuzz_game" -runs=0 "$corpus" 2>"$build/run.log" ||
  { tail -n 20 "$build/run.log" >&2; exit 1; }
llvm-profdata merge -sparse "$build"/game-*.profraw -o "$build/game.profdata"
llvm-cov report "$build/bin/velbrik_fuzz_game" -instr-profile="$build/game.profdata" game/ draw/ module/
