#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those still missing.
# Runs as root directly, otherwise through sudo.
#   scripts/setup.sh            the Linux build and its tests
#   scripts/setup.sh --windows  also the Windows cross build, wine, the installer maker
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libqt6sql6-sqlite
  qt6-translations-l10n
  libgl-dev libjpeg-dev
  xvfb xauth fonts-dejavu-core fonts-liberation2 fonts-noto-color-emoji
  sqlite3 poppler-utils qt6-translations-l10n
  postgresql libqt6sql6-psql util-linux pgbouncer
  xdotool desktop-file-utils appstream
)
if [ "${1:-}" = "--windows" ]; then
  packages+=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis
    xz-utils zip unzip openbox imagemagick
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: every package is installed"
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
