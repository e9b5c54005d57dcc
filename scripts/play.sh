#!/usr/bin/env bash
# Builds Velbrik and opens the cockpit: two displays to play it on. Options are
# passed on to velbrik-play (see --help). Without a desktop, the headless runner
# is the way: build/default/bin/velbrik-run --demo --gif demo.gif
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/bin/velbrik-play "$@"
