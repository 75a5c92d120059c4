#!/usr/bin/env bash
# A move of the main window between monitors of different scale under Wine, timed from outside
# the program: winprobe sends the window WM_DPICHANGED as the system does on such a move
# (96 -> 144 -> 96 -> 144 DPI, the window's rectangle scaled) and repaints the whole window and
# its children at once after each, timed from the message's sending to the paint's end. The first
# move to 144 DPI makes the skin's copy for that scale; the way back uses the skin itself; the
# second move to 144 finds its copy ready. Prints the median of each step over RUNS program starts
# and the machine's load; the aim is at most 100 ms a move.
#
#   bench/display_scale/dpi_move.sh [RUNS]     (default 5; the win64 preset must be configured,
#                                               tests included)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source bench/wine-bench.sh
runs=${1:-5}

bench_probe_setup dpi_move "$root/samples/machine" dpi-move

cold=() back=() warm=()
for ((i = 0; i < runs; i++)); do
  bench_start_program 60 || { echo "dpi_move: no main window with its rows" >&2; exit 1; }
  sleep 1
  timings=$(probe time-dpi TfrmMain 96 144 96 144) ||
    { echo "dpi_move: the moves were not timed" >&2; exit 1; }
  echo "$timings" >&2
  totals=($(awk '{print $8}' <<<"$timings"))
  cold+=("${totals[0]}") back+=("${totals[1]}") warm+=("${totals[2]}")
  probe close TfrmMain >/dev/null || true
  wait "$pid" || true
  pid=""
done
printf 'move to 144 DPI, the skin copy not yet made: %s ms (median of %s)\n' \
  "$(median "${cold[@]}")" "${cold[*]}"
printf 'back to 96 DPI: %s ms (median of %s)\n' "$(median "${back[@]}")" "${back[*]}"
printf 'move to 144 DPI, the skin copy ready: %s ms (median of %s)\n' \
  "$(median "${warm[@]}")" "${warm[*]}"
printf 'uptime: %s\n' "$(uptime)"
