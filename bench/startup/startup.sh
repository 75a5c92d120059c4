#!/usr/bin/env bash
# Start-up time under Wine as a user sees it: from launching the program until its main window
# is on the screen with every scanned row of the sample machine in its list, observed from a
# second process (startup_probe.exe, polling every 5 ms), against a bare Win32 window with the
# same controls that scans nothing and paints no skin (bare_window.cpp), started the same way.
# Also the resident memory of each, half a second after it was shown.
#
#   bench/startup/startup.sh [RUNS [OTHER_BIN_DIR]]
#   bench/startup/startup.sh --scale [RUNS]
#
# RUNS defaults to 7; the win64 preset must be configured. With OTHER_BIN_DIR (the bin folder of
# another win64 build), that build's program is timed in the same alternation, so that a change
# is measured against the build before it in one run. With --scale the program is timed at a
# display scale of 150 % (LogPixels 144 in a prefix of its own) against 100 %, alternately; the
# aim is at most 1.2 times.
#
# A first run of each through cmake/wine-run prepares the prefix (holding the sample machine)
# and its Xvfb, starts the wineserver, fills the caches and counts the rows the program shows
# once it has settled. The timed runs then start wine directly in that prefix; RUNS alternating
# runs of each, the medians side by side and their ratio. Run it on a quiet machine: the load
# at the time is printed with the figures.
#
# DK_TRACE_STARTUP=FILE in the environment makes the program stamp its start-up phases in FILE
# (a Windows path); the script leaves it alone.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source bench/wine-bench.sh
scale=""
if [ "${1:-}" = --scale ]; then
  scale=yes
  shift
fi
runs=${1:-7}
other=${2:-}

cmake --build --preset win64 --target DriverKeeper dk_package_files bare_window startup_probe \
  >/dev/null

prefix=$root/build/win64/wine/sample
[ -z "$scale" ] || prefix=$root/build/win64/wine/startup_scale
app=$(mktemp -d "${TMPDIR:-/tmp}/dk-startup.XXXXXX")
trap 'rm -rf "$app"; [ -z "$scale" ] || set_dpi 96' EXIT
cp -r build/win64/bin/. "$app"/
cp build/win64/bench/startup/bare_window.exe build/win64/bench/startup/startup_probe.exe "$app"/
if [ -n "$other" ]; then
  mkdir "$app/other"
  cp -r "$other"/. "$app/other"/
fi

# One probe run in the copied program folder: "<ms> ms, <rows> rows, <KB> KB".
probe() { (cd "$app" && "${launch[@]}" ./startup_probe.exe "$@" 2>&1 | tr -d '\r'); }
field() { awk -v n="$1" '{print $n}'; }

launch=("$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$root/samples/machine")
[ -z "$scale" ] || set_dpi 96
rows=$(probe --settle 2000 DriverKeeper.exe | field 3)
probe bare_window.exe >/dev/null
[ "${rows:-0}" -gt 0 ] || { echo "startup: the program showed no rows" >&2; exit 1; }
launch=(env WINEPREFIX="$prefix" DISPLAY=":$(cat "$prefix/.display")" WINEDEBUG=-all
  WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 wine)
program_ms=() bare_ms=() program_kb=() bare_kb=() other_ms=() other_kb=()
if [ -n "$scale" ]; then
  set_dpi 144
  probe --settle 500 DriverKeeper.exe >/dev/null
  at100=() at150=()
  for ((i = 0; i < runs; i++)); do
    set_dpi 96
    at100+=("$(probe --rows "$rows" --settle 500 DriverKeeper.exe | field 1)")
    set_dpi 144
    at150+=("$(probe --rows "$rows" --settle 500 DriverKeeper.exe | field 1)")
  done
  a=$(median "${at100[@]}") b=$(median "${at150[@]}")
  printf '%-16s %s\n' "at 100 %:" "${at100[*]} ms" "at 150 %:" "${at150[*]} ms"
  printf 'window shown with %d rows, median: at 100 %% %d ms, at 150 %% %d ms, ratio %s\n' \
    "$rows" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.2f", b / a}')"
  printf 'uptime: %s\n' "$(uptime)"
  exit 0
fi
for ((i = 0; i < runs; i++)); do
  line=$(probe --rows "$rows" --settle 500 DriverKeeper.exe)
  program_ms+=("$(field 1 <<<"$line")") program_kb+=("$(field 5 <<<"$line")")
  line=$(probe --settle 500 bare_window.exe)
  bare_ms+=("$(field 1 <<<"$line")") bare_kb+=("$(field 5 <<<"$line")")
  if [ -n "$other" ]; then
    line=$(probe --rows "$rows" --settle 500 other\\DriverKeeper.exe)
    other_ms+=("$(field 1 <<<"$line")") other_kb+=("$(field 5 <<<"$line")")
  fi
done

p=$(median "${program_ms[@]}") b=$(median "${bare_ms[@]}")
pk=$(median "${program_kb[@]}") bk=$(median "${bare_kb[@]}")
printf '%-16s %s\n' "Driver Keeper:" "${program_ms[*]} ms" "bare window:" "${bare_ms[*]} ms"
printf 'window shown with %d rows, median: Driver Keeper %d ms, bare window %d ms, ratio %s\n' \
  "$rows" "$p" "$b" "$(awk -v p="$p" -v b="$b" 'BEGIN {printf "%.2f", p / b}')"
printf 'resident, median: Driver Keeper %d KB, bare window %d KB, difference %d KB\n' \
  "$pk" "$bk" "$((pk - bk))"
if [ -n "$other" ]; then
  o=$(median "${other_ms[@]}") ok=$(median "${other_kb[@]}")
  printf '%-16s %s\n' "other build:" "${other_ms[*]} ms"
  printf 'other build, median: %d ms, ratio to the bare window %s, resident %d KB\n' "$o" \
    "$(awk -v p="$o" -v b="$b" 'BEGIN {printf "%.2f", p / b}')" "$ok"
fi
printf 'load: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
