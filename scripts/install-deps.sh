#!/usr/bin/env bash
# Installs what Velbrik needs on Debian 12, as root; does nothing (quickly)
# when everything is already there.
#   scripts/install-deps.sh play   building and running the cockpit
#   scripts/install-deps.sh web    building the browser build and its page
#                                  (node, which it also needs, comes with the machine)
#   scripts/install-deps.sh web-test   that, and what its tests run on
#   scripts/install-deps.sh        everything: also the tests, the sanitizers,
#                                  the Windows build and Wine, the browser build
set -euo pipefail

play=(
  g++ cmake ninja-build pkg-config
  libfreetype-dev fonts-dejavu-core libpng-dev libgif-dev libsdl2-dev
)
web=(emscripten python3)
web_test=(chromium xvfb xauth)
test=(
  git libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool
  clang lld llvm libclang-rt-14-dev valgrind python3
  mingw-w64 libz-mingw-w64-dev wine64 python3-unicorn python3-pefile python3-pil
)
case "${1:-all}" in
  play) packages=("${play[@]}") ;;
  web) packages=("${play[@]}" "${web[@]}") ;;
  web-test) packages=("${play[@]}" "${web[@]}" "${web_test[@]}") ;;
  all) packages=("${play[@]}" "${test[@]}" "${web[@]}" "${web_test[@]}") ;;
  *)
    echo "install-deps: unknown set '$1' (play, web, web-test, or nothing for everything)" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run as root to install them" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
