#!/usr/bin/env bash
# bench.sh: builds the benchmarks optimised and runs each natively and under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/wine-host.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2
cmake --preset "$KV_WIN_PRESET" >/dev/null
cmake --build --preset "$KV_WIN_PRESET" -j2
for bench in build/bench/bench/*/bench_*; do
  echo "== $(basename "$bench") (native)"
  "$bench"
done
# The soak takes about half an hour under Wine, longer than a test may.
for bench in build/$KV_WIN_PRESET/bench/*/bench_*.exe; do
  echo "== $(basename "$bench") (Wine)"
  KV_WINE_TIMEOUT=3600 "build/$KV_WIN_PRESET/wine-run" "$bench"
done
"build/$KV_WIN_PRESET/wine-run" --stop
