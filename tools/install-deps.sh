#!/usr/bin/env bash
# Installs the Debian packages Vexoglyph needs to build, test and run, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libxcb1-dev libfreetype-dev libfontconfig-dev libharfbuzz-dev libfribidi-dev libgtest-dev libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-opensymbol fonts-wine
  libharfbuzz-bin fonts-wqy-microhei fonts-lohit-deva fonts-tlwg-garuda-ttf
  librsvg2-bin
  clang libclang-rt-14-dev locales xvfb
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale, so that the DXF tests can prove the numbers ignore it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "de_DE.UTF-8 not generated; the locale test will be skipped"
fi
