#!/usr/bin/env bash
# run.sh: builds the Windows program and starts it under Wine, on the current X
# display or on a virtual one when there is none, and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/wine-host.sh

cmake --preset "$KV_WIN_PRESET" >/dev/null
cmake --build --preset "$KV_WIN_PRESET" --target kestrelvane
build=build/$KV_WIN_PRESET
exe=$build/src/app/kestrelvane.exe

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  export KV_WINE_DISPLAY=$DISPLAY
fi
"$build/wine-run" "$exe" &
app=$!
display=""
for _ in $(seq 60); do
  [ -f "$build/wine/display" ] && display=$(cat "$build/wine/display")
  [ -n "$display" ] && DISPLAY=$display xdotool search --name '^Kestrelvane' >/dev/null 2>&1 && break
  kill -0 $app 2>/dev/null || break
  sleep 0.5
done
sleep 1
mkdir -p shots
shot=$PWD/shots/kestrelvane.png
DISPLAY=$display import -window root "$shot"
echo "screenshot: $shot"

if [ -n "${KV_WINE_DISPLAY:-}" ]; then
  wait $app  # on the user's display the program runs until it is closed
else
  "$build/wine-run" --stop
fi
