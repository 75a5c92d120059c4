#!/usr/bin/env bash
# The main job: builds the win64 program and runs it on the bundled sample machine (a Wine
# prefix holding the sample device class database and driver files).
#   With a display ($DISPLAY set): opens the program on it.
#   Without one: runs it under Xvfb, backs up all drivers (F11) as a user would, confirms the
#   message box, saves a screenshot to out/driver-keeper.png and prints the backup tree.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target DriverKeeper dk_package_files winprobe

prefix=$root/build/win64/wine/sample
sample=$root/samples/machine
app=$root/out/app
mkdir -p out
rm -rf "$app"
cp -r build/win64/bin "$app"

if [ -n "${DISPLAY:-}" ]; then
  cd "$app"
  exec "$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$sample" --display real \
    ./DriverKeeper.exe 2>/dev/null
fi

export DK_WINE_RUN=$root/cmake/wine-run DK_PREFIX=$prefix DK_SAMPLE=$sample
export DK_BIN=$root/build/win64/bin DK_PROBE=$root/build/win64/tests/winprobe.exe DK_OUT=$root/out
source tests/e2e/lib.sh

dk_start "$app"
dk_wait_for '^window TfrmMain "Driver Keeper"'
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\.' 60
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F11
dk_wait_for 'child Static "Finished' 300
dk_screenshot driver-keeper
dk_wine "$DK_PROBE" press OK
dk_wine "$DK_PROBE" close TfrmMain || true
dk_wait_exit 30
echo "Screenshot: out/driver-keeper.png"
echo "Backup tree (out/app/BackUp):"
if [ -d "$app/BackUp" ]; then
  (cd "$app" && find BackUp | sort)
else
  echo "(none yet)"
fi
