#!/usr/bin/env bash
# Builds everything with warnings fatal and runs the whole test suite; makes
# the Debian package, installs it and runs it; builds the module alone with a
# bare compiler and as the Windows DLLs and checks them, with the Win32 host
# under Wine; builds the browser build and tests it under node and headless
# Chromium; builds it all again with the address and undefined-behaviour
# sanitizers and runs it there too; then runs both fuzzers for a minute in
# all, and prints the lines of code
# against the lines of tests. `scripts/test.sh ci` (or any workflow preset,
# package, or fuzz) runs just that.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for step in "${@:-ci package module windows-x86 windows-x64 web asan fuzz}"; do
  for s in $step; do
    if [ "$s" = fuzz ]; then
      scripts/fuzz.sh 60
    elif [ "$s" = package ]; then
      scripts/test-package.sh build/ci
    else
      echo "== cmake --workflow --preset $s" >&2
      cmake --workflow --preset "$s"
    fi
  done
done
scripts/count-lines.sh
