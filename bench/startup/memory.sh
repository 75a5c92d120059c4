#!/usr/bin/env bash
# Where the program's resident memory goes under Wine, beside the bare window's: each is launched
# by startup_probe.exe as startup.sh launches it and, once its window is on the screen and has
# settled, the resident kilobytes of its Wine process are read from outside (/proc/PID/smaps) and
# summed by mapping: each DLL, shared object or font file by its name, the program's own file,
# [anon] (the Windows heaps, DIB sections, and images that could not be mapped from their file),
# [heap] (the Unix heap of Wine and its libraries) and SYSV (the X server's shared memory behind
# the windows' surfaces). Rows are sorted by the difference, largest first.
#
#   bench/startup/memory.sh [OTHER_BIN_DIR]
#
# With OTHER_BIN_DIR (the bin folder of another win64 build) that build's program is measured in
# place of this one's, for the table of the build before a change. Resident memory does not
# depend on the load; the load is printed all the same.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source bench/wine-bench.sh
other=${1:-}

cmake --build --preset win64 --target DriverKeeper dk_package_files bare_window startup_probe \
  >/dev/null

prefix=$root/build/win64/wine/sample
bench_program_copy memory
if [ -n "$other" ]; then
  rm -rf "${app:?}"/*
  cp -r "$other"/. "$app"/
fi
cp build/win64/bench/startup/bare_window.exe build/win64/bench/startup/startup_probe.exe "$app"/

# The first run prepares the prefix and its Xvfb.
(cd "$app" && "$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$root/samples/machine" \
  ./startup_probe.exe --settle 500 DriverKeeper.exe >/dev/null 2>&1)

# The Unix process of a program of this prefix whose command line names $1.
wine_process() {
  local p
  for p in $(pgrep -f "$1" || true); do
    case "$(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null)" in *startup_probe*) continue ;; esac
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qax "WINEPREFIX=$prefix"; then
      echo "$p"
      return
    fi
  done
}

# "<KB> <mapping>" lines of one program, read 3.5 s after its process started, while the probe
# still waits 6 s after the window was shown; a window shown later than 3 s is reported.
measure() {
  local out=$app/$1.smaps p=""
  (cd "$app" && env WINEPREFIX="$prefix" DISPLAY=":$(cat "$prefix/.display")" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 \
    wine ./startup_probe.exe --settle 6000 "$1" >"$app/$1.probe" 2>/dev/null) &
  local launcher=$!
  for _ in $(seq 1 100); do
    p=$(wine_process "$1")
    [ -n "$p" ] && break
    sleep 0.05
  done
  sleep 3.5
  [ -n "$p" ] && cp "/proc/$p/smaps" "$out"
  wait "$launcher"
  [ -s "$out" ] || { echo "memory: no process of $1 to read" >&2; exit 1; }
  local shown
  shown=$(tr -d '\r' <"$app/$1.probe" | awk '{print $1}')
  [ "${shown:-9999}" -lt 3000 ] || echo "memory: $1 was shown after ${shown:-?} ms" >&2
  awk '/^[0-9a-f]+-[0-9a-f]+ / {
         name = NF >= 6 ? $6 : "[anon]"
         if (name ~ /^\/SYSV/) name = "SYSV (X shared memory)"
         sub(/.*\//, "", name)
       }
       /^Rss:/ { kb[name] += $2 }
       END { for (n in kb) print kb[n], n }' "$out"
}

measure DriverKeeper.exe >"$app/program.kb"
measure bare_window.exe >"$app/bare.kb"
awk 'FNR == NR { n = $1; $1 = ""; program[substr($0, 2)] = n; next }
     { n = $1; $1 = ""; bare[substr($0, 2)] = n }
     END {
       for (k in program) all[k] = 1
       for (k in bare) all[k] = 1
       for (k in all) {
         d = program[k] - bare[k]; tp += program[k]; tb += bare[k]
         if (d >= 64 || d <= -64) printf "%8d %8d %8d  %s\n", program[k], bare[k], d, k
       }
       printf "%8d %8d %8d  %s\n", tp, tb, tp - tb, "total (every mapping)"
     }' "$app/program.kb" "$app/bare.kb" | sort -k3,3nr |
  (printf '%8s %8s %8s  %s\n' "program" "bare" "diff" "mapping (resident KB, differences of 64 KB and more)"; cat)
printf 'load: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
