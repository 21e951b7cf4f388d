#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# Arguments are handed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target kesselwerk

programm=build/src/app/kesselwerk
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<TEXT

Kesselwerk is built ($programm), but there is no display to show it on
(neither DISPLAY nor WAYLAND_DISPLAY is set).

  - On the brewery PC: start it from the desktop session, or
    run  DISPLAY=:0 $programm  as the user logged in there.
  - Over ssh: connect with  ssh -X  (or -Y) and run this script again.
  - To try it without a screen, on a virtual display:
        xvfb-run -a -s "-screen 0 1280x800x24" $programm
TEXT
  exit 2
fi
exec "$programm" "$@"
