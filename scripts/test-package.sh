#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from a build folder
# (default build/ci), installed with dpkg, the runner run from the installed
# path, then removed again. Needs root.
#   scripts/test-package.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/velbrik_*.deb | head -n 1)
work=$(mktemp -d)
trap 'dpkg -r velbrik >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
dpkg -i "$package" >/dev/null
(cd "$work" && /usr/bin/velbrik-run --demo --every 500 --png pictures)
count=$(ls "$work/pictures" | wc -l)
[ "$count" -gt 0 ] || { echo "test-package: the installed runner wrote no pictures" >&2; exit 1; }
/usr/bin/velbrik-play --help >/dev/null
test -f /usr/share/doc/velbrik/README.md
echo "test-package: $(basename "$package") installs, and its runner wrote $count pictures" >&2
