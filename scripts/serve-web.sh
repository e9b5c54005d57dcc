#!/usr/bin/env bash
# Builds the cockpit page (preset web: emscripten, and a native build beside it
# for its build-time tools) and serves it on 127.0.0.1, port 8080 or the one
# given: scripts/serve-web.sh [PORT]. Installs what is missing (as root).
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8080}"
scripts/install-deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web
echo "serve-web: the cockpit is at http://127.0.0.1:$port/ (one display: http://127.0.0.1:$port/?displays=1); Ctrl+C stops" >&2
exec python3 -m http.server --bind 127.0.0.1 --directory build/web/bin "$port"
