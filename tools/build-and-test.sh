#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# With VEXOGLYPH_SANITIZE=1 it also runs the tests in a debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
# With --windows it does the same for the Windows builds instead
# (Vexoglyph.DLL and vexoglyph.exe, cross-built with MinGW-w64): the 64-bit
# build in build-win64/, whose tests run under 64-bit Wine on every machine,
# and the 32-bit build in build-win/, whose tests run under 32-bit Wine where
# this machine runs 32-bit programs; where it cannot (or
# VEXOGLYPH_NO_32BIT=1 says so), the 32-bit files are built and checked
# without running them, and one line says so.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

windows=false
for arg in "$@"; do
  case "$arg" in
    --windows) windows=true ;;
    *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
  esac
done

# Why this machine cannot run 32-bit Windows programs under Wine, or nothing
# when it can: found out by starting the 32-bit Wine loader once.
cannot_run_32bit() {
  local loader=/usr/lib/wine/wine output
  if [ "${VEXOGLYPH_NO_32BIT:-0}" = 1 ]; then
    echo "VEXOGLYPH_NO_32BIT=1"
  elif [ ! -e "$loader" ]; then
    echo "$loader is not installed"
  elif ! output=$("$loader" --version 2>&1); then
    echo "$loader --version: ${output##*: }"
  fi
}

windows_build() {
  BUILD_TYPE=Release "$top/tools/build.sh" "$top/$1" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$2" -DVEXOGLYPH_WINE_TESTS="$3"
  ctest --test-dir "$top/$1" --output-on-failure --timeout 300 -j "$(nproc)"
}

if $windows; then
  "$top/tools/install-deps.sh" --windows
  windows_build build-win64 mingw-w64-x86_64.cmake ON
  reason=$(cannot_run_32bit)
  if [ -n "$reason" ]; then
    echo "32-bit Windows build: its tests under Wine are skipped, this machine cannot run 32-bit programs ($reason); only the built files are checked"
    windows_build build-win mingw-w64-i686.cmake OFF
  else
    windows_build build-win mingw-w64-i686.cmake ON
  fi
  exit
fi

"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$top/build"
ctest --test-dir "$top/build" --output-on-failure --timeout 300 -j "$(nproc)"
if [ "${VEXOGLYPH_SANITIZE:-0}" = 1 ]; then
  BUILD_TYPE=Debug "$top/tools/build.sh" "$top/build-asan" -DVEXOGLYPH_SANITIZE=ON -DVEXOGLYPH_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$top/build-asan" --output-on-failure --timeout 600 -j "$(nproc)"
fi
