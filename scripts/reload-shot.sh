# reload-shot.sh, sourced by the run scripts: reload_and_shoot WINDOW APP_DIR NAME
# presses Reload in the program's window WINDOW on $DISPLAY as a user would,
# waits for the lists to fill and saves shots/NAME.png. APP_DIR is where the
# demo device logs what it was asked. Sets reloaded=yes or no.

reload_and_shoot() {
  local window=$1 app=$2 name=$3
  sleep 1  # the window's first paint

  # Reload is the middle one of the three controls at the bottom right: the
  # status field, Reload and Copy list.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --sync $((X + WIDTH - 110)) $((Y + HEIGHT - 22)) click 1

  # The demo device logs what it was asked: the last of the twelve queries
  # means the lists are about to be filled. A real device gives no such sign.
  reloaded=yes
  if [ -n "${KV_ADB:-}" ]; then
    sleep "${KV_RELOAD_SECONDS:-20}"
  else
    reloaded=no
    for _ in $(seq 120); do
      if grep -q -- 'pm list packages -s -u' "$app/invocations.log" 2>/dev/null; then
        reloaded=yes
        break
      fi
      sleep 0.5
    done
    sleep 2
  fi

  mkdir -p shots
  local shot=$PWD/shots/$name.png
  import -window "$window" "$shot"
  echo "screenshot: $shot"
  if [ $reloaded = no ]; then
    echo "run: the Reload did not reach adb within a minute" >&2
  fi
}
