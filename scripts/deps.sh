#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need,
# but only those that are missing.
set -euo pipefail

pakete=(cmake g++ make libgtest-dev qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
        xvfb xauth fonts-dejavu-core digitemp
        poppler-utils mosquitto mosquitto-clients libmosquitto-dev openssl pkg-config)

fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done

if [ ${#fehlend[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${fehlend[*]}" >&2
    echo "Run this as root (or install them with sudo apt-get install ...)." >&2
    exit 1
  fi
  echo "Installing: ${fehlend[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
