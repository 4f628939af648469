#!/usr/bin/env bash
# fuzz.sh NAME [SECONDS]: builds the fuzz target NAME with clang, libFuzzer and
# the sanitizers, and runs it on a copy of its seed corpus (tests/*/fuzz/NAME/).
set -euo pipefail
name=$1 seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
command -v clang++ >/dev/null || apt-get install -y clang
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON -DKV_TESTS=OFF >/dev/null
cmake --build "$build" --target "$name"
seeds=$(find "$root/tests" -type d -path "*/fuzz/$name" | head -n1)
corpus=$build/corpus/$name
mkdir -p "$corpus"
[ -n "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
exec "$(find "$build" -type f -name "$name" -perm -u+x | head -n1)" -max_total_time="$seconds" "$corpus"
