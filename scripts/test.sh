#!/usr/bin/env bash
# test.sh: builds every target and runs every test: natively with the
# sanitizers, the native program's GTK tests on a virtual display, and the
# Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/wine-host.sh

cmake --preset linux -DKV_WERROR=ON -DKV_SANITIZE=ON
cmake --build --preset linux -j2
ctest --preset linux -j2

cmake --preset linux-gtk -DKV_WERROR=ON
cmake --build --preset linux-gtk -j2
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset linux-gtk

cmake --preset win32 -DKV_WERROR=ON
cmake --build --preset win32 -j2
if [ "$KV_WIN_PRESET" != win32 ]; then
  cmake --preset "$KV_WIN_PRESET" -DKV_WERROR=ON
  cmake --build --preset "$KV_WIN_PRESET" -j2
fi
status=0
ctest --preset "$KV_WIN_PRESET" || status=$?
"build/$KV_WIN_PRESET/wine-run" --stop
exit $status
