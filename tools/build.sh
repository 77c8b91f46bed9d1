#!/usr/bin/env bash
# Configures and builds Vexoglyph into build/ (or $1), in release mode unless told otherwise;
# everything, or only the target BUILD_TARGET names (vexoglyph_app: the program).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$top/build"}
shift || true
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
