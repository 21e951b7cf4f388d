#!/usr/bin/env bash
# Every long option that "kesselwerk --help" lists is described in the man page.
set -euo pipefail
programm=$1 manpage=$2
optionen=$("$programm" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$optionen" ] || { echo "--help lists no options"; exit 1; }
fehlt=0
for o in $optionen; do
  # groff escapes the dashes: \-\-ordner
  grep -qF -- "$(printf '%s' "$o" | sed 's/-/\\-/g')" "$manpage" || { echo "man page lacks $o"; fehlt=1; }
done
"$programm" --version | grep -qE '^kesselwerk [0-9]' || { echo "--version prints no version"; fehlt=1; }
exit $fehlt
