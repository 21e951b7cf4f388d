#!/usr/bin/env bash
# "cmake --install" into a staging folder gives the tree the package ships.
set -euo pipefail
bau=$1
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
DESTDIR=$ziel cmake --install "$bau" --prefix /usr >/dev/null
fehlt=0
for f in usr/bin/kesselwerk usr/libexec/kesselwerk/kesselwerk-waechter \
         usr/share/applications/de.kesselwerk.Kesselwerk.desktop \
         usr/share/metainfo/de.kesselwerk.Kesselwerk.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/de.kesselwerk.Kesselwerk.svg \
         usr/share/icons/hicolor/48x48/apps/de.kesselwerk.Kesselwerk.png \
         usr/share/icons/hicolor/256x256/apps/de.kesselwerk.Kesselwerk.png \
         usr/share/man/man1/kesselwerk.1 \
         usr/lib/udev/rules.d/60-kesselwerk-iowarrior.rules \
         usr/lib/udev/rules.d/60-kesselwerk-hidrelais.rules; do
  [ -e "$ziel/$f" ] || { echo "missing: /$f"; fehlt=1; }
done
grep -q 'version="'"$(grep -oE '[0-9]+\.[0-9]+\.[0-9]+' "$bau/generated/Version.h")"'"' \
  "$ziel/usr/share/metainfo/de.kesselwerk.Kesselwerk.metainfo.xml" || { echo "metainfo has another version"; fehlt=1; }
exit $fehlt
