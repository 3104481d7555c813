#!/bin/sh
# Checks the release zip as a user would meet it: its contents, the DLLs each program needs,
# vellumor-gen.exe against the native build, and the window appearing and closing.
# Usage: check-dist.sh ZIP NATIVE_VELLUMOR_GEN WINE_PREFIX   (inside an X display)
set -u
zip="$1"; native="$2"
export WINEPREFIX="$3" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
passed=0; failed=0
ok() { passed=$((passed + 1)); echo "dist check ok: $*"; }
bad() { failed=$((failed + 1)); echo "dist check FAILED: $*" >&2; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
unzip -q "$zip" -d "$dir"
listed=$(cd "$dir" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$listed" = "CHANGES.md LICENSE README.md vellumor-gen.exe vellumor.exe " ] \
  && ok "the zip holds exactly the five files" || bad "the zip holds: $listed"

version=$(basename "$zip" | sed -n 's/^vellumor-\(.*\)-win64\.zip$/\1/p')
for exe in vellumor.exe vellumor-gen.exe; do
  # The VERSIONINFO strings are UTF-16.
  if strings -el "$dir/$exe" | grep -qx "$version" && strings -el "$dir/$exe" | grep -qx "Vellumor"; then
    ok "$exe carries version $version"
  else
    bad "$exe has no version resource for $version"
  fi
done

system="kernel32.dll user32.dll gdi32.dll comctl32.dll uxtheme.dll msvcrt.dll advapi32.dll shell32.dll"
for exe in vellumor.exe vellumor-gen.exe; do
  others=""
  for dll in $(x86_64-w64-mingw32-objdump -p "$dir/$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case " $system " in *" $dll "*) ;; *) others="$others $dll" ;; esac
  done
  [ -z "$others" ] && ok "$exe imports only system DLLs" || bad "$exe imports$others"
done

sample='{"mmMessage": ["It'"'"'s ready.", "", "Grüße ☃"], "PageControl1": 1, "edMBPreset": 4,
         "cbMBCheckResult": true, "edMBCheckResult": "Yes", "clbMBOptions": [false, false, false, false, true, false]}'
printf '%s' "$sample" > "$dir/sample.json"
"$native" --choices "$dir/sample.json" --json > "$dir/native.json"
(cd "$dir" && "$wine" vellumor-gen.exe --choices sample.json --json > windows.json 2> windows.err)
cmp -s "$dir/native.json" "$dir/windows.json" \
  && ok "vellumor-gen.exe --json prints what the native build prints" \
  || bad "vellumor-gen.exe differs from the native build: $(diff "$dir/native.json" "$dir/windows.json" | head -5)"

"$wine" "$dir/vellumor.exe" &
app=$!
window=$(timeout 60 xdotool search --sync --name '^Vellumor 2.0$' | head -n 1)
if [ -n "$window" ]; then
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --window "$window" alt+F4
  for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$app" 2>/dev/null; then
    bad "the window did not close on Alt+F4"
    kill "$app"
  else
    ok "the window appears and closes on Alt+F4"
  fi
else
  bad "the window did not appear"
  kill "$app" 2>/dev/null
fi

echo "dist: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
