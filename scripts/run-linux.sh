#!/usr/bin/env bash
# run-linux.sh: builds the native Linux program on GTK 3 and starts it, on the
# current X display or on a virtual one when there is none, presses Reload as
# a user would, and saves a screenshot once the lists are filled.
#
# Without KV_ADB the program talks to the demo device: the fake adb of the
# tests lies beside the program as adb (its default adb) with a phone-sized
# device state. KV_ADB=PATH names a real adb instead, written into the
# program's configuration. Each run keeps its configuration in a folder of
# its own, so the user's is never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/reload-shot.sh

cmake --preset linux-gtk >/dev/null
cmake --build --preset linux-gtk -j2 --target kestrelvane fakeadb demodevice kvconfig
build=build/linux-gtk
app=$build/src/app
export XDG_CONFIG_HOME=$PWD/$build/run-config
rm -rf "$XDG_CONFIG_HOME"
mkdir -p "$XDG_CONFIG_HOME/kestrelvane"

if [ -n "${KV_ADB:-}" ]; then
  "$build/tools/kvconfig/kvconfig" set-adb-path "$XDG_CONFIG_HOME/kestrelvane/kestrelvane.cfg" \
    "$(realpath "$KV_ADB")" >/dev/null
  echo "adb: $KV_ADB"
else
  cp "$build/fixtures/fakeadb" "$app/adb"
  "$build/fixtures/demodevice" > "$app/device.txt"
  rm -f "$app/fakeadb.conf" "$app/invocations.log"
  echo "adb: the demo device ($app/adb and its device.txt)"
fi

own_display=""
if [ -z "${DISPLAY:-}" ] || ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || { own_display=":$n"; break; }
  done
  Xvfb "$own_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=$own_display
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
fi

GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 "$app/kestrelvane" &
program=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Kestrelvane' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  if ! kill -0 $program 2>/dev/null; then
    echo "run: the program ended before its window appeared" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: no window titled Kestrelvane appeared" >&2
  exit 1
fi
reload_and_shoot "$window" "$app" kestrelvane-linux

if [ -z "$own_display" ]; then
  wait $program  # on the user's display the program runs until it is closed
else
  kill $program 2>/dev/null || true
fi
[ $reloaded = yes ]
