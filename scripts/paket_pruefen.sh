#!/usr/bin/env bash
# Builds the package, runs lintian on it, installs it, starts the installed program once on a
# virtual display with an empty home folder, and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/paket.sh
deb=$(ls paket/kesselwerk_*_"$(dpkg --print-architecture)".deb | head -n 1)

echo "== dpkg -c $deb"
dpkg -c "$deb"

echo "== lintian"
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: no errors, no warnings"

echo "== lintian on the source package (of what git tracks)"
quelle=$(mktemp -d)
git archive --prefix=kesselwerk/ HEAD | tar -x -C "$quelle"
(cd "$quelle" && dpkg-source -b kesselwerk >/dev/null)
lintian --fail-on error,warning --display-info "$quelle"/kesselwerk_*.dsc
rm -rf "$quelle"
echo "lintian (source): no errors, no warnings"

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" xvfb xauth x11-utils

echo "== start the installed program with an empty home folder"
heim=$(mktemp -d)
protokoll=$(mktemp)
HOME=$heim XDG_DATA_HOME= xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  kesselwerk & pid=$!
  fenster=""
  for _ in $(seq 1 100); do
    fenster=$(xwininfo -root -tree 2>/dev/null | grep -E "\"(KESSELWERK|Konfiguration)\"" || true)
    [ -n "$fenster" ] && break
    sleep 0.2
  done
  echo "$fenster"
  kill -TERM "$pid"
  wait "$pid"; rc=$?
  [ -n "$fenster" ] || { echo "no window appeared" >&2; exit 1; }
  exit $rc
' >"$protokoll" 2>&1 || { cat "$protokoll"; echo "the installed program did not start" >&2; exit 1; }
cat "$protokoll"
test -d "$heim/.local/share/kesselwerk" || { echo "no program folder in the home folder" >&2; exit 1; }
echo "program folder created: $(ls -A "$heim/.local/share/kesselwerk" | tr '\n' ' ')"
rm -rf "$heim" "$protokoll"

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq kesselwerk
! command -v kesselwerk
echo "package built, lintian clean, installed, started, removed"
