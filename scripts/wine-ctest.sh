#!/bin/sh
# Runs the Windows build's ctest inside one Xvfb, with one wineserver kept for the whole run.
# Usage: wine-ctest.sh BUILD_DIR [ctest args...]
set -eu
build="$1"; shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
server=$(command -v wineserver || true)
[ -n "$server" ] || server=/usr/lib/wine/wineserver
# Wine's background services must start here, away from ctest's output pipes: a service that
# inherits a test's pipe keeps ctest waiting for it after the test has ended.
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  wine="$1"; server="$2"; build="$3"; shift 3
  "$server" -p
  "$wine" wineboot </dev/null >/dev/null 2>&1
  "$(dirname "$0")/wine-managed.sh" "$WINEPREFIX" N
  rc=0
  ctest --test-dir "$build" --output-on-failure "$@" </dev/null || rc=$?
  "$server" -k 2>/dev/null || true
  exit $rc' "$0" "$wine" "$server" "$build" "$@"
