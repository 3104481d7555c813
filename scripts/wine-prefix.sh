#!/bin/sh
# Creates the build tree's Wine prefix once (about ten seconds); later runs return at once.
# Usage: wine-prefix.sh PREFIX
set -eu
prefix="$1"
[ -f "$prefix/system.reg" ] && exit 0
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
mkdir -p "$prefix"
echo "setup: creating the Wine prefix $prefix"
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  xvfb-run -a sh -c "'$wine' wineboot -i >/dev/null 2>&1; '$(dirname "$wine")/wineserver' -w"
[ -f "$prefix/system.reg" ] || { echo "setup: wineboot did not create $prefix" >&2; exit 1; }
