#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# With VEXOGLYPH_SANITIZE=1 it also runs the tests in a debug build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$top/build"
ctest --test-dir "$top/build" --output-on-failure --timeout 300 -j "$(nproc)"
if [ "${VEXOGLYPH_SANITIZE:-0}" = 1 ]; then
  BUILD_TYPE=Debug "$top/tools/build.sh" "$top/build-asan" -DVEXOGLYPH_SANITIZE=ON -DVEXOGLYPH_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$top/build-asan" --output-on-failure --timeout 600 -j "$(nproc)"
fi
