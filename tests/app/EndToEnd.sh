#!/bin/sh
# The real vellumor.exe under Wine, driven with the keyboard through X: type a message, switch to
# the MessageBox page, tick an option, press Create and OK, and read the clipboard back; then paste
# a hand-written statement into the message, take it over, and read back what Create copies.
# Usage: EndToEnd.sh WINE_RUNNER VELLUMOR_EXE  (inside an X display, as ctest runs it)
set -u
runner="$1"; exe="$2"
# What the display and the program look like when something is missing.
report() {
  echo "end-to-end: $*" >&2
  kill -0 "$app" 2>/dev/null && echo "  the program is still running" >&2 || echo "  the program has ended" >&2
  echo "  windows on the display:" >&2
  for w in $(xdotool search --name '.' 2>/dev/null); do xdotool getwindowname "$w" 2>/dev/null; done |
    sort -u | sed 's/^/    /' >&2
}
fail() { report "$*"; kill "$app" 2>/dev/null; exit 1; }
# Waits for the box titled $1 and presses Enter in it.
answer() {
  box=$(timeout 20 xdotool search --sync --name "^$1\$" | head -n 1)
  [ -n "$box" ] || fail "the box \"$1\" did not appear ($2)"
  xdotool sleep 0.5 key Return sleep 1
}
# The clipboard must hold $1.
expect_clipboard() {
  got=$(xclip -o -selection clipboard)
  [ "$got" = "$1" ] || fail "$2: the clipboard holds \"$got\", not \"$1\""
}

# Once in a long CI run the window did not appear within a minute; the second start tells a
# slow Wine from a program that cannot start, and the report says what was there.
for attempt in 1 2; do
  "$runner" "$exe" &
  app=$!
  window=$(timeout 60 xdotool search --sync --name '^Vellumor 2.0$' | head -n 1)
  [ -n "$window" ] && break
  [ "$attempt" = 2 ] && fail "the window did not appear"
  report "no window after a minute; starting the program again"
  kill "$app" 2>/dev/null
  sleep 2
done
xdotool windowfocus --sync "$window"
sleep 1

# The message text has the focus with its sample text selected: typing replaces it.
xdotool type --delay 20 "$(printf "It's here\nSecond line")"
# Tab past the values box and the style to the page control's tabs, Right to the MessageBox page;
# Alt+N focuses the options list, Down selects the first item, Space ticks it; Tab to Check result,
# then the disabled result list is skipped: Preview, Create.
xdotool key Tab Tab Tab Right sleep 0.5 key alt+n Down space sleep 0.5 key Tab Tab Tab Return
answer Code "after typing"
expect_clipboard "Application.MessageBox(PChar('It''s here'
    + #13'Second line'), 'Information', 
    MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL + MB_DEFAULT_DESKTOP_ONLY);" "after typing"

# A statement written by hand goes on the clipboard and is pasted with Ctrl+V; Enter answers Yes.
printf '%s\n%s\n%s\n' "MessageBeep(MB_ICONQUESTION);" "if MessageDlg('Delete the file?'," \
  "  mtConfirmation, [mbYes, mbNo], 0) = mrYes then" | xclip -selection clipboard >/dev/null 2>&1
xdotool key alt+m ctrl+v
answer "Read Statement" "after the paste"
# Back in the message, the first control: Shift+Tab three times goes back to Create.
xdotool key shift+Tab shift+Tab shift+Tab Return
answer Code "after the paste"
expect_clipboard "MessageBeep(MB_ICONQUESTION);
if (MessageDlg('Delete the file?', mtConfirmation, [mbYes, mbNo], 0) = mrYes) then " "after the paste"

xdotool key --window "$window" alt+F4 sleep 1
kill "$app" 2>/dev/null
echo "end-to-end: the copied code is the expected code, also after a pasted statement"
