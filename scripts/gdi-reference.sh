#!/usr/bin/env bash
# Holds the stand-in's pixel surface against the platform's own drawing: builds
# the Windows reference program (mingw-w64) and the stand-in's twin of it, feeds
# both the same drawing commands, the Windows one under Wine, and compares what
# each drew. Exit status 1 if any command drew differently.
#   scripts/gdi-reference.sh [COMMAND-FILE]     default: random commands (tools/gdi-reference/random_commands.py)
# Environment: PRESET (default "default"), SEED (random commands' seed, default 1),
# STANDIN (the stand-in's twin, already built: then no build here), WINE.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${PRESET:-default}
wine=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
out=$(mktemp -d /tmp/velbrik-gdi.XXXXXX)
prefix=$(mktemp -d /tmp/velbrik-wine.XXXXXX)
# The work folder stays only when it holds differences to look at.
trap 'WINEPREFIX="$prefix" "$(dirname "$wine")/wineserver" -k 2>/dev/null || true; rm -rf "$prefix"; [ -s "$out/differences.txt" ] || rm -rf "$out"' EXIT

x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -static -o "$out/gdi-reference.exe" \
  tools/gdi-reference/gdi_reference.cpp -lgdi32
standin=${STANDIN:-}
if [ -z "$standin" ]; then
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" --target velbrik-gdi-standin
  standin=build/$preset/bin/velbrik-gdi-standin
fi

if [ $# -ge 1 ]; then
  cp "$1" "$out/commands.txt"
else
  python3 tools/gdi-reference/random_commands.py --seed "${SEED:-1}" > "$out/commands.txt"
fi

WINEDEBUG=-all WINEPREFIX="$prefix" "$wine" "$out/gdi-reference.exe" "$out/commands.txt" > "$out/platform.txt" 2> "$out/wine.log"
"$standin" "$out/commands.txt" > "$out/standin.txt"

total=$(wc -l < "$out/platform.txt")
if diff "$out/platform.txt" "$out/standin.txt" > "$out/differences.txt"; then
  echo "gdi-reference: $total commands, all drawn the same" >&2
  exit 0
fi
differing=$(grep -c '^<' "$out/differences.txt" || true)
echo "gdi-reference: $total commands, $differing drawn differently; see $out/differences.txt" >&2
exit 1
