#!/usr/bin/env bash
# Builds and checks the plug-in for 32- and 64-bit Windows and packs the download,
# build/velbrik-windows.zip: x86/Velbrik.dll, x64/Velbrik.dll and INSTALL.txt.
# The DLLs import the host's functions from the executable named by --host
# (default: the build's, the Win32 stand-in host); they load into that one only.
# Files given as arguments (such as a Windows build of the stand-in host) go to
# the zip's top folder beside INSTALL.txt.
#   scripts/windows-zip.sh [--host EXECUTABLE.exe] [FILE...]
set -euo pipefail
host=(-UVELBRIK_HOST_EXECUTABLE)  # no name given: the build's default, not an earlier run's
if [ "${1-}" = --host ]; then
  [ $# -ge 2 ] || { echo "usage: $0 [--host EXECUTABLE.exe] [FILE...]" >&2; exit 2; }
  host=("-DVELBRIK_HOST_EXECUTABLE=$2")
  shift 2
fi
extra=()
for file in "$@"; do extra+=("$(realpath "$file")"); done
cd "$(dirname "$0")/.."
for arch in x86 x64; do
  echo "== windows-$arch: configure, build, check" >&2
  cmake --preset "windows-$arch" "${host[@]}"
  nice cmake --build --preset "windows-$arch"
  ctest --preset "windows-$arch"
done
name=$(sed -n 's/^VELBRIK_HOST_EXECUTABLE:STRING=//p' build/windows-x86/CMakeCache.txt)
stage=build/windows-zip
rm -rf "$stage" build/velbrik-windows.zip
mkdir -p "$stage/x86" "$stage/x64"
cp build/windows-x86/bin/Velbrik.dll "$stage/x86/"
cp build/windows-x64/bin/Velbrik.dll "$stage/x64/"
# The host's name filled in; Windows line ends.
sed -e "s/@VELBRIK_HOST_EXECUTABLE@/$name/g" -e 's/$/\r/' windows/INSTALL.txt >"$stage/INSTALL.txt"
[ ${#extra[@]} -eq 0 ] || cp "${extra[@]}" "$stage/"
(cd "$stage" && cmake -E tar cf ../velbrik-windows.zip --format=zip -- *)
echo "build/velbrik-windows.zip made, for a host executable named $name" >&2
