#!/bin/sh
# Times, under Wine in one Xvfb, how long each program takes from its start until its window is
# on the screen, for vellumor.exe and for a minimal Win32 program built and started the same way.
# Usage: startup-time.sh WINDOWS_BUILD_DIR
set -eu
build="$1"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  build="$1"
  measure() {
    start=$(date +%s%N)
    "$build/wine-run.sh" "$2" &
    pid=$!
    until xdotool search --name "$3" >/dev/null 2>&1; do sleep 0.01; done
    end=$(date +%s%N)
    echo "$1: $(( (end - start) / 1000000 )) ms"
    xdotool search --name "$3" | head -n 1 | xargs -I{} xdotool key --window {} alt+F4
    wait $pid 2>/dev/null || true
  }
  /usr/lib/wine/wineserver -p
  "$build/wine-run.sh" wineboot >/dev/null 2>&1
  measure "minimal window" "$build/bench/minimal_window.exe" "^Minimal window$"
  measure "vellumor.exe" "$build/app/vellumor.exe" "^Vellumor 2.0$"
  /usr/lib/wine/wineserver -k' sh "$build"
