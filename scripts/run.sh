#!/usr/bin/env bash
# run.sh: builds the Windows program and starts it under Wine, on the current X
# display or on a virtual one when there is none, presses Reload as a user
# would, and saves a screenshot once the lists are filled.
#
# Without KV_ADB the program talks to a demo device: the fake adb, built for
# Windows, lies beside it as ADB.exe (the program's default adb) with a
# phone-sized device state. KV_ADB=PATH names a real Windows adb.exe instead,
# as a host path or a Windows one; it is written into the program's
# configuration file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/reload-shot.sh
. scripts/wine-host.sh

cmake --preset "$KV_WIN_PRESET" >/dev/null
build=build/$KV_WIN_PRESET
app=$build/src/app
exe=$app/kestrelvane.exe

# Drive Z: is the host's root under Wine.
windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# A configuration an earlier run left must not point the program elsewhere.
rm -f "$exe.cfg"
if [ -n "${KV_ADB:-}" ]; then
  cmake --build --preset "$KV_WIN_PRESET" --target kestrelvane kvconfig
  adb=$KV_ADB
  [[ $adb =~ ^[A-Za-z]: ]] || adb=$(windows_path "$adb")
  "$build/wine-run" "$build/tools/kvconfig/kvconfig.exe" set-adb-path "$(windows_path "$exe.cfg")" "$adb" >/dev/null
  echo "adb: $adb"
else
  cmake --build --preset "$KV_WIN_PRESET" --target kestrelvane fakeadb demodevice
  cp "$build/fixtures/fakeadb.exe" "$app/ADB.exe"
  "$build/wine-run" "$build/fixtures/demodevice.exe" > "$app/device.txt"
  rm -f "$app/fakeadb.conf" "$app/invocations.log"
  echo "adb: the demo device ($app/ADB.exe and its device.txt)"
fi

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  export KV_WINE_DISPLAY=$DISPLAY
fi
"$build/wine-run" "$exe" &
program=$!

window=""
for _ in $(seq 120); do
  display=$(cat "$build/wine/display" 2>/dev/null || true)
  if [ -n "$display" ]; then
    window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Kestrelvane' 2>/dev/null | head -n1 || true)
  fi
  [ -n "$window" ] && break
  if ! kill -0 $program 2>/dev/null; then
    echo "run: the program ended before its window appeared" >&2
    exit 1
  fi
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "run: no window titled Kestrelvane appeared" >&2
  exit 1
fi
export DISPLAY=$display
reload_and_shoot "$window" "$app" kestrelvane

if [ -n "${KV_WINE_DISPLAY:-}" ]; then
  wait $program  # on the user's display the program runs until it is closed
else
  "$build/wine-run" --stop
fi
[ $reloaded = yes ]
