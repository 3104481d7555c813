#!/bin/sh
# Runs a command on the current display with a window manager, so Wine's windows get real title
# bars with their icons. When none runs there, openbox is started for the command's lifetime.
# Usage: with-window-manager.sh COMMAND [ARGS...]
set -u
if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  exec "$@"
fi
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# Wait until openbox has taken the display, at most five seconds.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 50 ] || ! kill -0 "$wm" 2>/dev/null; then
    echo "with-window-manager: openbox did not start; going on without a window manager" >&2
    break
  fi
  sleep 0.1
done
rc=0
"$@" || rc=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit $rc
