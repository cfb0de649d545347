#!/usr/bin/env bash
# Installs, once, every Debian package the build, the tests and the GUI checks need.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n
  libcups2-dev libjpeg-dev libicu-dev libemf2svg-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth poppler-utils
  cups cups-client cups-bsd cups-filters printer-driver-cups-pdf
  dpkg-dev desktop-file-utils imagemagick xdotool
  clang libclang-rt-14-dev
  ibus ibus-mozc dbus-x11 at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
