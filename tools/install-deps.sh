#!/usr/bin/env bash
# Installs the Debian packages Vexoglyph needs to build, test and run, when missing.
#   --windows  also the MinGW-w64 cross-compilers and Wine for the 64-bit and 32-bit Windows builds
set -euo pipefail

windows=false
for arg in "$@"; do
  case "$arg" in
    --windows) windows=true ;;
    *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
  esac
done
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libxcb1-dev libfreetype-dev libfontconfig-dev libharfbuzz-dev libfribidi-dev libicu-dev libgtest-dev libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-opensymbol fonts-wine
  libharfbuzz-bin fonts-wqy-microhei fonts-lohit-deva fonts-tlwg-garuda-ttf
  librsvg2-bin libboost-dev python3-ezdxf hershey-fonts-data
  fonts-cantarell python3-fonttools fonts-noto-color-emoji
  clang libclang-rt-14-dev locales xvfb
)
# The Windows builds: the x86_64 and i686 cross-compilers (their -posix
# variants), GoogleTest's sources to cross-build, 64-bit and 32-bit Wine (with
# Xvfb for windows) to run tests, and Free Pascal's chmcmd (fp-utils) to
# compile the help file. 32-bit Wine installs on every machine, also where the
# kernel cannot run it.
if $windows; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -q
  fi
  packages+=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev g++-mingw-w64-i686 mingw-w64-i686-dev googletest wine wine32:i386 wine64 xvfb xauth fp-utils)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale, so that the DXF tests can prove the numbers ignore it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "de_DE.UTF-8 not generated; the locale test will be skipped"
fi
