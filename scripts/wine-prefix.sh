#!/bin/sh
# Creates the build tree's Wine prefix once (about ten seconds) and gives it Wine's own fonts;
# later runs only add what is missing.
# Usage: wine-prefix.sh PREFIX
set -eu
prefix="$1"
if [ ! -f "$prefix/system.reg" ]; then
  wine=$(command -v wine64 || true)
  [ -n "$wine" ] || wine=/usr/lib/wine/wine64
  mkdir -p "$prefix"
  echo "setup: creating the Wine prefix $prefix"
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a sh -c "'$wine' wineboot -i >/dev/null 2>&1; '$(dirname "$wine")/wineserver' -w"
  [ -f "$prefix/system.reg" ] || { echo "setup: wineboot did not create $prefix" >&2; exit 1; }
fi

# This Wine does not look in /usr/share/wine/fonts: without Tahoma it draws the window with a
# wider substitute (captions are cut), and without Marlett its own title-bar buttons are letters.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf; do
  [ -f "$font" ] || { echo "setup: Wine's fonts are missing (package fonts-wine)" >&2; exit 1; }
  [ -e "$fonts/$(basename "$font")" ] || ln -s "$font" "$fonts/"
done
