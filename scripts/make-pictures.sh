#!/usr/bin/env bash
# Makes the README's pictures with the runner itself: a GIF of the demo game and
# a PNG of one of its frames. Run after building (scripts/play.sh or the presets).
set -euo pipefail
cd "$(dirname "$0")/.."
run=build/default/bin/velbrik-run
[ -x "$run" ] || run=build/ci/bin/velbrik-run
mkdir -p docs
"$run" --demo --gif docs/demo.gif --every 3 --fps 20 --zoom 2
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
"$run" --demo --png "$frames" --every 450 --zoom 2
cp "$frames/display0-000451.png" docs/game.png
echo "docs/demo.gif and docs/game.png made"
