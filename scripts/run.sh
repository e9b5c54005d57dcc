#!/usr/bin/env bash
# Builds Velbrik and runs the example session: a game on a 320x200 display,
# played through the stand-in host, with its call trace written to out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
mkdir -p out
build/default/bin/velbrik-run --script examples/first-game.session --trace out/first-game.jsonl
echo "call trace: out/first-game.jsonl ($(wc -l < out/first-game.jsonl) lines)"
