#!/bin/sh
# Sets whether a desktop window manager manages Wine's windows in a prefix.
# Usage: wine-managed.sh PREFIX Y|N
# Under Xvfb there is no window manager: with "Y" Wine waits up to two seconds for one at every
# box it shows or hides, and draws no frames; with "N" it draws Windows frames itself.
set -eu
prefix="$1"; value="$2"
reg="$prefix/managed-$value.reg"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="%s"\n' "$value" > "$reg"
grep -q "\"Managed\"=\"$value\"" "$prefix/user.reg" 2>/dev/null && exit 0
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
WINEPREFIX="$prefix" WINEDEBUG=-all "$wine" regedit "$reg" </dev/null >/dev/null 2>&1
# Without a display, wait for the server regedit started to end: it has no display, and a program
# started on one before it ends gets no windows ("The window could not be created"). On a display
# the server may be one kept for a whole test run, which never ends.
[ -n "${DISPLAY:-}" ] && exit 0
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINEPREFIX="$prefix" "$server" -w 2>/dev/null || true
