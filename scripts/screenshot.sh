#!/bin/sh
# Renders the main window under Xvfb into a PNG.
# Usage: screenshot.sh BUILD_DIR OUTPUT.png
set -eu
build="$1"; out="$2"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-managed.sh" "$WINEPREFIX" N
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
  "$1/wine-run.sh" "$1/app/vellumor.exe" &
  window=$(timeout 60 xdotool search --sync --name "^Vellumor 2.0$" | head -n 1)
  sleep 2
  import -window "$window" "$2"
  xdotool key --window "$window" alt+F4 || true
  sleep 1
  kill $! 2>/dev/null || true' sh "$build" "$out"
echo "screenshot: $out"
