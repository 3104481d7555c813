#!/bin/sh
# Renders the main window under Xvfb into a PNG, framed by a window manager as on a desktop; with
# "paste-question", the question the window asks after a statement is pasted into its message.
# Usage: screenshot.sh BUILD_DIR OUTPUT.png [paste-question]
set -eu
build="$1"; out="$2"; what="${3:-window}"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-managed.sh" "$WINEPREFIX" Y
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
xvfb-run -a -s "-screen 0 800x600x24" sh -c '
  build="$1"; out="$2"; server="$3"; scripts="$4"; what="$5"
  "$scripts/with-window-manager.sh" "$build/wine-run.sh" "$build/app/vellumor.exe" &
  runner=$!
  window=$(timeout 120 xdotool search --sync --name "^Vellumor 2.0$" | head -n 1)
  [ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; kill $runner; exit 1; }
  sleep 2
  if [ "$what" = paste-question ]; then
    printf "%s" "if MessageDlg('"'"'Delete the file?'"'"', mtConfirmation, [mbYes, mbNo], 0) = mrYes then" |
      xclip -selection clipboard >/dev/null 2>&1
    xdotool windowfocus --sync "$window" key ctrl+v
    box=$(timeout 20 xdotool search --sync --name "^Read Statement$" | head -n 1)
    [ -n "$box" ] || { echo "screenshot: the question did not appear" >&2; kill $runner; exit 1; }
    sleep 1
    import -frame -window "$box" "$out"
    xdotool key n
    sleep 1
  else
    # With the window manager'"'"'s frame: the title bar and its icon.
    import -frame -window "$window" "$out"
  fi
  xdotool key --window "$window" alt+F4 || true
  wait $runner || true
  # The display must outlive Wine'"'"'s own processes.
  "$server" -w' sh "$build" "$out" "$server" "$(cd "$(dirname "$0")" && pwd)" "$what"
echo "screenshot: $out"
