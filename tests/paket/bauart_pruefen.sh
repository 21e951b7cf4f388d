#!/usr/bin/env bash
# The package's build takes debhelper's compiler flags as they are: configured the way dh_auto_configure
# does it (CMAKE_BUILD_TYPE=None, the flags in CXXFLAGS) plus what debian/rules adds, every compile
# line ends with the -O of CXXFLAGS, so DEB_BUILD_OPTIONS=noopt gives -O0.
set -euo pipefail
quelle=$1
zusatz=$(make -s -n -f "$quelle/debian/rules" override_dh_auto_configure | sed -n 's/^dh_auto_configure *-- *//p')
bau=$(mktemp -d)
trap 'rm -rf "$bau"' EXIT
# shellcheck disable=SC2086  # the arguments of debian/rules, split as make passes them
CXXFLAGS="-g -O0" cmake -S "$quelle" -B "$bau" -DCMAKE_BUILD_TYPE=None -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  $zusatz >/dev/null
befehle=$(grep -E '"command"' "$bau/compile_commands.json")
[ -n "$befehle" ] || { echo "no compile commands"; exit 1; }
falsch=$(printf '%s\n' "$befehle" | awk '{ o = ""; for (i = 1; i <= NF; i++) if ($i ~ /^-O/) o = $i; if (o != "-O0") print o ": " $0 }')
if [ -n "$falsch" ]; then
  echo "compile lines whose last optimisation flag is not the -O0 of CXXFLAGS (debian/rules: $zusatz):"
  printf '%s\n' "$falsch" | head -n 3
  exit 1
fi
echo "$(printf '%s\n' "$befehle" | wc -l) compile lines, -O0 last in each"
