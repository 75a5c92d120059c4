#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is missing.
# Never wine32 and never the i386 architecture: the 32-bit build is compiled, not run.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev ccache clang-format perl
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix gcc-mingw-w64-x86-64-posix
  gcc-mingw-w64-i686-posix binutils-mingw-w64 libz-mingw-w64-dev
  zlib1g-dev libjpeg62-turbo-dev googletest libbenchmark-dev libpng-dev libssl-dev
  wine wine64 fonts-wine xvfb xauth xdotool xcompmgr imagemagick nsis zip unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" = 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
