#!/usr/bin/env bash
# One licence everywhere: GPL-3.0-or-later in LICENSE, debian/copyright, the AppStream metainfo and
# --version; and no debhelper scratch file among the tracked ones ("debian/rules clean" removes them).
set -euo pipefail
quelle=$1 programm=$2 metainfo=$3
fehlt=0
head -n 2 "$quelle/LICENSE" | grep -q 'GNU GENERAL PUBLIC LICENSE' &&
  head -n 2 "$quelle/LICENSE" | grep -q 'Version 3, 29 June 2007' || { echo "LICENSE is not the GPL 3 text"; fehlt=1; }
# The licence of "Files: *", and its text as a stand-alone paragraph.
awk '/^Files: \*$/ { f = 1; next } f && /^License:/ { print $2; exit } /^$/ { f = 0 }' "$quelle/debian/copyright" |
  grep -qx 'GPL-3.0-or-later' || { echo "debian/copyright: Files: * is not GPL-3.0-or-later"; fehlt=1; }
grep -q '^License: GPL-3.0-or-later$' <(awk 'BEGIN { RS = "" } !/^Files:/' "$quelle/debian/copyright") ||
  { echo "debian/copyright has no GPL-3.0-or-later licence paragraph"; fehlt=1; }
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
  { echo "metainfo: project_license is not GPL-3.0-or-later"; fehlt=1; }
"$programm" --version | grep -q 'GPL-3.0-or-later' || { echo "--version names no licence"; fehlt=1; }
if git -C "$quelle" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  schmutz=$(git -C "$quelle" ls-files debian |
            grep -E '\.debhelper\.log$|debhelper-build-stamp$|\.substvars$|^debian/files$|^debian/\.debhelper/|^debian/kesselwerk/' || true)
  [ -z "$schmutz" ] || { echo "tracked debhelper scratch files: $schmutz"; fehlt=1; }
fi
exit $fehlt
