#!/bin/sh
# Installs the Debian packages the build, the tests and the Windows tool need.
# Safe to run again: it only installs what is missing.
set -eu

packages="cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev googletest libbenchmark-dev
libcli11-dev nlohmann-json3-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
xvfb xauth xdotool xclip imagemagick clang-format zip unzip fonts-wine"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "setup: installing$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
