#!/bin/sh
# Renders the main window under Xvfb into a PNG, framed by a window manager as on a desktop.
# Usage: screenshot.sh BUILD_DIR OUTPUT.png
set -eu
build="$1"; out="$2"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-managed.sh" "$WINEPREFIX" Y
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
  build="$1"; out="$2"; server="$3"; scripts="$4"
  "$scripts/with-window-manager.sh" "$build/wine-run.sh" "$build/app/vellumor.exe" &
  runner=$!
  window=$(timeout 120 xdotool search --sync --name "^Vellumor 2.0$" | head -n 1)
  [ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; kill $runner; exit 1; }
  sleep 2
  # With the window manager'"'"'s frame: the title bar and its icon.
  import -frame -window "$window" "$out"
  xdotool key --window "$window" alt+F4 || true
  wait $runner || true
  # The display must outlive Wine'"'"'s own processes.
  "$server" -w' sh "$build" "$out" "$server" "$(cd "$(dirname "$0")" && pwd)"
echo "screenshot: $out"
