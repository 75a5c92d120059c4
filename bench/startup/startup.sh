#!/usr/bin/env bash
# Start-up time under Wine: from launching the program until its main window is on the screen,
# painted, with the scanned rows of the sample machine, against a bare Win32 window with the same
# controls and the same scan (bare_window.cpp). Both are run with /exit-when-shown, which prints
# "shown" at that moment; the time to that line is taken, then the run is left to end.
#
#   bench/startup/startup.sh [RUNS]     (default 5; the win64 preset must be configured)
#
# One warm-up run of each through cmake/wine-run prepares the prefix (holding the sample machine)
# and its Xvfb, starts the wineserver and fills the caches. The timed runs then start wine
# directly in that prefix, so that the wrapper's checks are not timed; RUNS alternating runs of
# each, and the medians side by side.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
runs=${1:-5}

cmake --build --preset win64 --target DriverKeeper dk_package_files bare_window >/dev/null

prefix=$root/build/win64/wine/sample
app=$(mktemp -d "${TMPDIR:-/tmp}/dk-startup.XXXXXX")
trap 'rm -rf "$app"' EXIT
cp -r build/win64/bin/. "$app"/
cp build/win64/bench/startup/bare_window.exe "$app"/

# Milliseconds from launch to the "shown" line of one run, started in the copied program folder.
time_run() {
  local start end line
  start=$(date +%s%N)
  exec {out}< <(cd "$app" && exec "${launch[@]}" "$@" 2>/dev/null)
  local pid=$!
  IFS= read -r line <&"$out" || true
  end=$(date +%s%N)
  exec {out}<&-
  wait "$pid" || true
  [ "${line%$'\r'}" = shown ] || { echo "startup: $1 did not report its window" >&2; exit 1; }
  echo $(((end - start) / 1000000))
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

program=(./DriverKeeper.exe /exit-when-shown)
bare=(./bare_window.exe /exit-when-shown)
launch=("$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$root/samples/machine")
time_run "${program[@]}" >/dev/null
time_run "${bare[@]}" >/dev/null
launch=(env WINEPREFIX="$prefix" DISPLAY=":$(cat "$prefix/.display")" WINEDEBUG=-all
  WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 wine)
program_ms=() bare_ms=()
for ((i = 0; i < runs; i++)); do
  program_ms+=("$(time_run "${program[@]}")")
  bare_ms+=("$(time_run "${bare[@]}")")
done

p=$(median "${program_ms[@]}") b=$(median "${bare_ms[@]}")
printf '%-16s %s\n' "Driver Keeper:" "${program_ms[*]} ms" "bare window:" "${bare_ms[*]} ms"
printf 'median: Driver Keeper %d ms, bare window %d ms, ratio %s (load %s)\n' "$p" "$b" \
  "$(awk -v p="$p" -v b="$b" 'BEGIN {printf "%.2f", p / b}')" "$(cut -d' ' -f1-3 /proc/loadavg)"
