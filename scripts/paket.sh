#!/usr/bin/env bash
# Builds the Debian package kesselwerk_<version>_<arch>.deb into paket/ (installs what the build needs).
set -euo pipefail
cd "$(dirname "$0")/.."

pakete=(build-essential debhelper dpkg-dev fakeroot cmake qt6-base-dev libgl-dev libmosquitto-dev pkg-config lintian)
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
  echo "Installing: ${fehlend[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi

# dpkg-buildpackage writes beside the source folder; the results are collected here.
version=$(dpkg-parsechangelog -S Version)
dpkg-buildpackage -us -uc -b
mkdir -p paket
for f in ../kesselwerk_"${version}"_*.deb ../kesselwerk-dbgsym_"${version}"_*.deb \
         ../kesselwerk_"${version}"_*.buildinfo ../kesselwerk_"${version}"_*.changes; do
  [ -e "$f" ] && mv -f "$f" paket/
done
ls -l paket/
