#!/usr/bin/env bash
# Builds the document fuzzer with clang (ASan+UBSan+libFuzzer) and runs it for a bounded time.
# Usage: tools/fuzz.sh [SECONDS] [extra libFuzzer flags...]   (default 60 seconds, one job)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
dir=${VX_FUZZ_BUILD:-"$top/build-fuzz"}

CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEXOGLYPH_FUZZ=ON -DVEXOGLYPH_SANITIZE=ON -DVEXOGLYPH_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzz_documents -j2

# The working corpus grows between runs; the editor files, past crashes and
# (where present) the real-world samples beside the repository seed it.
corpus="$dir/fuzz-corpus"
mkdir -p "$corpus" "$dir/fuzz-artifacts"
testdata=$(sed -n 's/^VEXOGLYPH_TESTDATA_DIR:PATH=//p' "$dir/CMakeCache.txt")
seeds=("$top/tests/richtext/editor-files" "$top/tests/richtext/regressions" "$testdata/rtf")
existing=()
for s in "${seeds[@]}"; do [ -d "$s" ] && existing+=("$s"); done

exec "$dir/fuzz/fuzz_documents" "$corpus" "${existing[@]}" \
  -dict="$top/fuzz/rtf.dict" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -timeout=10 -artifact_prefix="$dir/fuzz-artifacts/" -print_final_stats=1 "$@"
