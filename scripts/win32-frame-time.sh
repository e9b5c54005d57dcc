#!/usr/bin/env bash
# Time per frame of the Win32 host under Wine (GDI drawing every repaint) side
# by side with the Linux runner (its pixel surface), on the same demo game:
# each runner plays the demo and, for its fixed costs, a one-repaint script;
# the difference over the difference in frames is its time per frame (best of
# three). Pictures are drawn on every repaint and only the first is written.
# Needs build/default (the Linux runner) and build/windows-x64 (the host).
#   scripts/win32-frame-time.sh [--size WxH]
set -euo pipefail
cd "$(dirname "$0")/.."
size=320x240
[ "${1-}" = --size ] && size=$2
work=$(mktemp -d /tmp/velbrik-frame-time.XXXXXX)
export WINEPREFIX=$work/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
mkdir -p "$WINEPREFIX"
{ "$wineserver" -p && "$wine" wineboot; } </dev/null >/dev/null 2>&1
trap '"$wineserver" -k </dev/null >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
w=${size%x*}
h=${size#*x}
printf 'open %s %s\nrepaint\n' "$w" "$h" >"$work/one.session"

# Best wall time of three runs of "$@", in seconds.
best() {
  local least=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    least=$(echo "$end - $start" | bc -l | awk -v l="$least" '{ print (l == "" || $1 < l) ? $1 : l }')
  done
  echo "$least"
}

linux=(build/default/bin/velbrik-run)
win32=("$wine" build/windows-x64/bin/velbrik-run-win32.exe)
"${linux[@]}" --demo --size "$size" --trace "$work/demo.jsonl"
frames=$(grep -c '^\["@","repaint"\]$' "$work/demo.jsonl")
echo "demo on a $size display: $frames frames"
printf '%-10s %-9s %14s %14s\n' runner pictures "ms per frame" "fixed cost s"
for who in linux win32; do
  declare -n runner=$who
  for pictures in no yes; do
    extra=(--trace "$work/$who.jsonl")
    [ "$pictures" = yes ] && extra+=(--png "$work/$who-png" --every 1000000)
    long=$(best "${runner[@]}" --demo --size "$size" "${extra[@]}")
    short=$(best "${runner[@]}" --script "$work/one.session" "${extra[@]}")
    per=$(echo "($long - $short) * 1000 / ($frames - 1)" | bc -l)
    printf '%-10s %-9s %14.4f %14.3f\n' "$who" "$pictures" "$per" "$short"
    echo "$per" >"$work/$who-$pictures"
  done
done
for pictures in no yes; do
  ratio=$(echo "$(cat "$work/win32-$pictures") / $(cat "$work/linux-$pictures")" | bc -l)
  printf 'Win32 host / Linux runner, pictures %s: %.2f\n' "$pictures" "$ratio"
done
