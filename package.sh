#!/usr/bin/env bash
# Builds both Windows Release targets and collects what ships in dist/: for each, the portable
# zip and the installer, and the symbols of its stripped programs and plug-ins under
# dist/symbols/.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export CCACHE_DIR=${CCACHE_DIR:-$PWD/build/.ccache}

rm -rf dist
mkdir -p dist
for preset in win64 win32; do
  echo "=== package $preset"
  log=build-"$preset".log
  cmake --preset "$preset" >"$log" 2>&1 || { cat "$log"; rm -f "$log"; exit 1; }
  rm -f "$log"
  # Made afresh, so that dist/ never takes a file of an earlier version or commit.
  rm -rf build/"$preset"/dist
  cmake --build --preset "$preset" --target dk_release
  cp build/"$preset"/dist/* dist/
  mkdir -p dist/symbols/"$preset"
  cp build/"$preset"/bin/DriverKeeper.exe.debug build/"$preset"/bin/DriverKeeper.com.debug \
    build/"$preset"/bin/plugin/*.dll.debug \
    dist/symbols/"$preset"/
done
ls -l dist
