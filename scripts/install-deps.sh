#!/usr/bin/env bash
# Installs everything Marklet needs to build, run and test, from Debian packages.
# With --package, also the tools that make and check the Debian package.
# Safe to run again: packages already present are left alone.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
  qt6-svg-dev
  libqscintilla2-qt6-dev
  libtidy-dev
  qt6-webengine-dev libqt6webenginecore6-bin qt6-webchannel-dev
  qt6-translations-l10n
  libgl-dev libglx-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick x11-utils libx11-dev openbox
  fonts-dejavu-core desktop-file-utils
  clang libclang-rt-14-dev
  libxdamage-dev libxtst-dev libxext-dev
)
# `make package`: dpkg-shlibdeps computes the dependencies, `file` tells CPack
# which files are programs and libraries; lintian, appstreamcli and
# desktop-file-validate check the result, xdg-mime the installed menu entry,
# debootstrap makes the clean Debian system it is installed into.
if [ "${1:-}" = --package ]; then
  PACKAGES+=(dpkg-dev file lintian appstream xdg-utils debootstrap)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
