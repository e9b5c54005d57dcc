#!/usr/bin/env bash
# Builds Velbrik and opens the cockpit: two displays to play it on. Options are
# passed on to velbrik-play (see --help). Without a desktop, the headless runner
# is the way: build/play/bin/velbrik-run --demo --gif demo.gif
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh play
cmake --preset play >/dev/null
cmake --build --preset play
exec build/play/bin/velbrik-play "$@"
