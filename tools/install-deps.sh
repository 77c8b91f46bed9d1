#!/usr/bin/env bash
# Installs the Debian packages Vexoglyph needs to build, test and run, when missing.
#   --windows  also the MinGW-w64 cross-compilers and Wine for the 64-bit and 32-bit Windows builds,
#              and the Debian sources of HarfBuzz and FriBidi that the Windows builds compile
#              (into $VX_MINGW_SOURCES, /opt/vexoglyph-mingw/src unless set)
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
  # dpkg-source unpacks the source packages below.
  packages+=(dpkg-dev xz-utils bzip2)
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

# The Windows builds compile HarfBuzz and FriBidi from the sources Debian
# ships (no MinGW packages of them exist): each source package is fetched
# through a deb-src entry for the Debian archive (apt checks the .dsc and
# tarballs against the archive's signed index, dpkg-source the tarballs
# against the .dsc) and unpacked with Debian's patches into a folder of its
# own name. A folder already unpacked is kept.
if $windows; then
  sources=${VX_MINGW_SOURCES:-/opt/vexoglyph-mingw/src}
  list=/etc/apt/sources.list.d/vexoglyph-src.sources
  if [ ! -e "$list" ]; then
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' 'Components: main' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $SUDO tee "$list" >/dev/null
    $SUDO apt-get update -q
  fi
  $SUDO mkdir -p "$sources/download"
  for package in harfbuzz fribidi; do
    [ -f "$sources/$package/debian/changelog" ] && continue
    (cd "$sources/download" && $SUDO apt-get source -q --download-only "$package")
    dsc=$(ls -t "$sources/download/${package}_"*.dsc | head -n 1)
    $SUDO rm -rf "$sources/$package.partial"
    $SUDO dpkg-source --no-copy -x "$dsc" "$sources/$package.partial" >/dev/null
    $SUDO mv "$sources/$package.partial" "$sources/$package"
    echo "Unpacked $(basename "$dsc" .dsc) into $sources/$package"
  done
fi
