#!/bin/sh
# Runs a Windows program of the build under Wine at another screen density, in a copy of the
# build's prefix with LogPixels set (made once). Expects a display, as the other tests do.
# Usage: wine-dpi-run.sh BUILD_DIR DPI PROGRAM [ARGS...]
set -eu
build="$1"; dpi="$2"; shift 2
base="$build/wineprefix"
prefix="$build/wineprefix-$dpi"
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/dpi-$dpi" ]; then
  rm -rf "$prefix"
  cp -a "$base" "$prefix"
  hex=$(printf '%08x' "$dpi")
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%s\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]\n"LogPixels"=dword:%s\n' \
    "$hex" "$hex" > "$prefix/dpi.reg"
  WINEPREFIX="$prefix" "$wine" regedit "$prefix/dpi.reg" </dev/null >/dev/null 2>&1
  server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  WINEPREFIX="$prefix" "$server" -w 2>/dev/null || true
  touch "$prefix/dpi-$dpi"
fi
# The base prefix's fonts, also when they came after this copy was made.
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix"
exec "$wine" "$@"
