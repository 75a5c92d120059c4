#!/usr/bin/env bash
# What /verify followed by /restore of the sample machine's packages costs under Wine, timed from
# outside the program, for this build against another program folder (an earlier build, say):
#
#   bench/packages/restore.sh OTHER_BIN_DIR [RUNS]   (default 5; the win64 preset must be built)
#
# The packages are exported once into a prefix of their own, and both programs restore them once
# untimed, so that every timed restore finds its INF files present and does the same work: verify,
# (for a build that stages) copy and hash into a staging folder, install, which the system answers
# with "already present". RUNS alternating runs of each, and the medians side by side.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source bench/wine-bench.sh
other=$(cd "$1" && pwd)
runs=${2:-5}

cmake --build --preset win64 --target DriverKeeper dk_package_files >/dev/null

prefix=$root/build/win64/wine/restore-bench
work=$(mktemp -d "${TMPDIR:-/tmp}/dk-restore.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/this" "$work/other"
cp -r build/win64/bin/. "$work/this"/
cp -r "$other"/. "$work/other"/

launch=("$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$root/samples/machine")
(cd "$work/this" && "${launch[@]}" ./DriverKeeper.exe /export 'C:\pk' >/dev/null 2>&1) || true
for program in this other; do
  (cd "$work/$program" && "${launch[@]}" ./DriverKeeper.exe /restore 'C:\pk' >/dev/null 2>&1) || true
done

# Milliseconds of one /verify and one /restore by the program of a work folder.
time_run() {
  local start end
  start=$(date +%s%N)
  (cd "$work/$1" && "${launch[@]}" ./DriverKeeper.exe /verify 'C:\pk' >/dev/null 2>&1) || true
  (cd "$work/$1" && "${launch[@]}" ./DriverKeeper.exe /restore 'C:\pk' >/dev/null 2>&1) || true
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}


this_ms=() other_ms=()
for ((i = 0; i < runs; i++)); do
  this_ms+=("$(time_run this)")
  other_ms+=("$(time_run other)")
done
this=$(median "${this_ms[@]}")
other=$(median "${other_ms[@]}")
echo "verify + restore, median of $runs: this build ${this} ms, other ${other} ms," \
  "ratio $(echo "scale=2; $this / $other" | bc)"
