#!/usr/bin/env bash
# The arm64 (Raspberry Pi) build on an amd64 Debian 12 machine: installs the cross tools and the
# arm64 libraries, cross-builds the program, the guard and the tests, runs the whole test suite
# under qemu user emulation (tests labelled "nativ" excepted, see README), then builds the arm64
# Debian package and runs lintian on it.
#   bash scripts/arm64.sh            everything
#   bash scripts/arm64.sh paket      the package only
set -euo pipefail
cd "$(dirname "$0")/.."
teil=${1:-alles}

# qemu 7.2 of Debian 12 lacks PR_SET_CHILD_SUBREAPER and clone(CLONE_PIDFD); the one of
# bookworm-backports has both.
if ! grep -rqs "bookworm-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  cat > /etc/apt/sources.list.d/kesselwerk-backports.sources <<'QUELLE'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
QUELLE
fi
dpkg --print-foreign-architectures | grep -qx arm64 || dpkg --add-architecture arm64

pakete=(crossbuild-essential-arm64 ninja-build qt6-base-dev-tools debhelper dpkg-dev fakeroot lintian
        qt6-base-dev:arm64 libgl-dev:arm64 libgl1-mesa-dev:arm64 libgtest-dev:arm64 pkgconf:arm64
        libmosquitto-dev:arm64 mosquitto mosquitto-clients openssl)
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
qemu_neu() { qemu-aarch64-static --version 2>/dev/null | grep -Eq 'version ([1-9][0-9])\.'; }
if [ ${#fehlend[@]} -gt 0 ] || ! qemu_neu; then
  apt-get update -qq
  [ ${#fehlend[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
  qemu_neu || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -t bookworm-backports qemu-user-static
fi

zeit() { local t0=$SECONDS; "$@"; echo "== arm64: '$*' took $((SECONDS - t0)) s"; }

if [ "$teil" = alles ]; then
  zeit cmake -S . -B build-arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  zeit cmake --build build-arm64 -j2
  # An arm64 program that starts another arm64 program (the guard, the program itself) needs
  # binfmt_misc: a private one in a user namespace, nothing changes on the host.
  zeit sh scripts/userns-binfmt.sh ctest --test-dir build-arm64 -j2 --output-on-failure -LE nativ
fi

# The package: dpkg-buildpackage writes beside the source folder; the results are collected here.
version=$(dpkg-parsechangelog -S Version)
zeit env DEB_BUILD_OPTIONS="nocheck parallel=2" dpkg-buildpackage -aarm64 -us -uc -b
mkdir -p paket
for f in ../kesselwerk_"${version}"_arm64.deb ../kesselwerk-dbgsym_"${version}"_arm64.deb \
         ../kesselwerk_"${version}"_arm64.buildinfo ../kesselwerk_"${version}"_arm64.changes; do
  [ -e "$f" ] && mv -f "$f" paket/
done
lintian --fail-on error,warning --display-info "paket/kesselwerk_${version}_arm64.deb"
if [ "$teil" = alles ]; then
  echo "arm64: built, tested under emulation, packaged, lintian clean"
else
  echo "arm64: packaged, lintian clean"
fi
