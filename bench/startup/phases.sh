#!/usr/bin/env bash
# Where the program's start-up time goes under Wine: RUNS traced start-ups (the program stamps
# its phases when DK_TRACE_STARTUP names a file, platform/StartupTrace.h), each launched by
# startup_probe.exe as startup.sh launches it, then for every phase the median of its stamps
# (milliseconds since the process was created) and of its share (since the phase before).
#
#   bench/startup/phases.sh [--scale] [RUNS [OTHER_BIN_DIR]]
#
# RUNS defaults to 7. With OTHER_BIN_DIR (the bin folder of another win64 build) that build's
# program is traced instead of this one's, for a table of the build before a change. With --scale
# the program starts at a display scale of 150 %, in the prefix startup.sh --scale uses. The load
# at the time is printed with the table.
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

cmake --build --preset win64 --target DriverKeeper dk_package_files startup_probe >/dev/null

prefix=$root/build/win64/wine/sample
[ -z "$scale" ] || prefix=$root/build/win64/wine/startup_scale
bench_program_copy phases
if [ -n "$other" ]; then
  rm -rf "${app:?}"/*
  cp -r "$other"/. "$app"/
fi
cp build/win64/bench/startup/startup_probe.exe "$app"/

# The first run prepares the prefix and its Xvfb and counts the rows the program shows.
launch=("$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$root/samples/machine")
if [ -n "$scale" ]; then
  set_dpi 144
  trap 'set_dpi 96; bench_cleanup' EXIT
fi
rows=$(cd "$app" && "${launch[@]}" ./startup_probe.exe --settle 2000 DriverKeeper.exe 2>&1 |
  tr -d '\r' | awk '{print $3}')
[ "${rows:-0}" -gt 0 ] || { echo "phases: the program showed no rows" >&2; exit 1; }
for ((i = 0; i < runs; i++)); do
  (cd "$app" && env WINEPREFIX="$prefix" DISPLAY=":$(cat "$prefix/.display")" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 DK_TRACE_STARTUP="trace$i.txt" \
    wine ./startup_probe.exe --rows "$rows" --settle 500 DriverKeeper.exe >/dev/null 2>&1)
done

# A stamp line is "<ms> ms  <phase>"; phases keep the order of the first run.
cat "$app"/trace*.txt | tr -d '\r' | awk -v runs="$runs" '
  function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 2; i <= n; ++i)
      for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return a[int((n + 1) / 2)]
  }
  {
    ms = $1; $1 = ""; $2 = ""; phase = substr($0, 3)
    if (!(phase in seen)) { seen[phase] = 1; order[++count] = phase }
    if (phase == first || count == 1 && !first) { first = phase; previous = 0 }
    at[phase] = at[phase] " " ms; share[phase] = share[phase] " " (ms - previous); previous = ms
  }
  END {
    printf "%-44s %10s %10s\n", "phase (median of " runs " runs)", "at ms", "took ms"
    for (i = 1; i <= count; ++i)
      printf "%-44s %10.1f %10.1f\n", order[i], median(at[order[i]]), median(share[order[i]])
  }'
printf 'load: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
