#!/usr/bin/env bash
# Plants one fault and tells whether the tests catch it:
#
#   scripts/mutate.sh FILE LINE SED-COMMAND [CTEST-ARGUMENT]...
#
# applies the sed command to line LINE of FILE (e.g. 's/</<=/', or 'd' to
# remove the line), builds, runs ctest with the given arguments (all tests by
# default), and puts the file back whatever happens. Prints one line: "caught",
# "SURVIVED", or why the fault could not be tried. Exit status 0 when caught,
# 1 when it survived, 2 when it did not apply or did not build. The build tree
# is left with the fault in it: build again afterwards. MUTATE_PRESET picks
# the CMake preset (default: default).
set -uo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 3 ]; then
  sed -n '2,/^set/{/^#/s/^# \{0,1\}//p}' "$0" >&2
  exit 2
fi
file=$1 line=$2 edit=$3
shift 3
preset=${MUTATE_PRESET:-default}
where="$file:$line $edit"

backup=$(mktemp)
cp -p "$file" "$backup"
trap 'cp "$backup" "$file"; rm -f "$backup"' EXIT  # a new time stamp: the next build undoes the fault

sed -i -e "${line}${edit}" "$file"
if cmp -s "$file" "$backup"; then
  echo "NOT APPLIED  $where"
  exit 2
fi
if ! nice cmake --build --preset "$preset" >/dev/null 2>&1; then
  echo "NO BUILD     $where"
  exit 2
fi
if ctest --preset "$preset" --stop-on-failure "$@" >/dev/null 2>&1; then
  echo "SURVIVED     $where"
  exit 1
fi
echo "caught       $where"
