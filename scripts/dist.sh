#!/bin/sh
# Packs the Windows build into dist/vellumor-<version>-win64.zip.
# Usage: dist.sh WINDOWS_BUILD_DIR
set -eu
build="$1"
top=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "dist: no project version in $build/CMakeCache.txt" >&2; exit 1; }
stage="$top/dist/vellumor-$version-win64"
zip="$top/dist/vellumor-$version-win64.zip"
rm -rf "$stage" "$zip"
mkdir -p "$stage"
# Debug information stays in the build tree; the package gets stripped copies.
x86_64-w64-mingw32-strip -o "$stage/vellumor.exe" "$build/app/vellumor.exe"
x86_64-w64-mingw32-strip -o "$stage/vellumor-gen.exe" "$build/cli/vellumor-gen.exe"
cp "$top/README.md" "$top/LICENSE" "$top/CHANGES.md" "$stage/"
(cd "$stage" && zip -q -X "$zip" vellumor.exe vellumor-gen.exe README.md LICENSE CHANGES.md)
echo "dist: $zip"
