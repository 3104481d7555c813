#!/bin/sh
# Times the window's steps with large messages under Wine in Xvfb, beside a bare window.
# Usage: window-bench.sh WINDOWS_BUILD_DIR
set -eu
build="$1"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-managed.sh" "$WINEPREFIX" N
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/wine-run.sh" "$build/bench/window_bench.exe"
