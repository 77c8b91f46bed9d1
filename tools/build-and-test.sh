#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# With VEXOGLYPH_SANITIZE=1 it also runs the tests in a debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
# With --windows it does the same for the 32-bit Windows build instead
# (Vexoglyph.DLL and vexoglyph.exe, cross-built with MinGW-w64 into
# build-win/), whose tests run under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

windows=false
for arg in "$@"; do
  case "$arg" in
    --windows) windows=true ;;
    *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
  esac
done

if $windows; then
  "$top/tools/install-deps.sh" --windows
  BUILD_TYPE=Release "$top/tools/build.sh" "$top/build-win" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-i686.cmake"
  # Under load Wine now and then fails to start a test program; a failed
  # test runs once more before it counts.
  ctest --test-dir "$top/build-win" --output-on-failure --timeout 300 -j "$(nproc)" --repeat until-pass:2
  exit
fi

"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$top/build"
ctest --test-dir "$top/build" --output-on-failure --timeout 300 -j "$(nproc)"
if [ "${VEXOGLYPH_SANITIZE:-0}" = 1 ]; then
  BUILD_TYPE=Debug "$top/tools/build.sh" "$top/build-asan" -DVEXOGLYPH_SANITIZE=ON -DVEXOGLYPH_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$top/build-asan" --output-on-failure --timeout 600 -j "$(nproc)"
fi
