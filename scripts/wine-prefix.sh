#!/bin/sh
# Creates the build tree's Wine prefix once (about ten seconds); later runs return at once.
# Usage: wine-prefix.sh PREFIX
set -eu
prefix="$1"
# Wine's own Tahoma, so text is measured and drawn with Windows' metrics; this Wine does not look
# in /usr/share/wine/fonts by itself.
link_fonts() {
  for font in /usr/share/wine/fonts/*.ttf; do
    if [ -e "$font" ]; then ln -sf "$font" "$prefix/drive_c/windows/Fonts/"; fi
  done
}
if [ -f "$prefix/system.reg" ]; then link_fonts; exit 0; fi
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
mkdir -p "$prefix"
echo "setup: creating the Wine prefix $prefix"
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  xvfb-run -a sh -c "'$wine' wineboot -i >/dev/null 2>&1; '$(dirname "$wine")/wineserver' -w"
[ -f "$prefix/system.reg" ] || { echo "setup: wineboot did not create $prefix" >&2; exit 1; }
link_fonts
