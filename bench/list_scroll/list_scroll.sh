#!/usr/bin/env bash
# Scrolling a long driver list under Wine: the real program on a made-up machine of 5,000 drivers
# (machine.py, written into the build folder), "Scan all drivers", then the list scrolled page by
# page from the top to the last row. Prints the time of the whole scan and the median and slowest
# repaint of the list (rows, header, frame and scroll bar) after each page; the aim is at most
# 10 ms a repaint.
#
#   bench/list_scroll/list_scroll.sh [DRIVERS]     (default 5000; the win64 preset must be
#                                                   configured, tests included)
#
# Everything is timed from outside the program, by winprobe in the same prefix:
# - the scan: Scan Driver > Scan all drivers opened with the keyboard (xdotool), then Return
#   posted by winprobe, timed until the status bar shows the new count; the status bar's text is
#   set when the scan has filled the list, and asking for it waits while the program is busy;
# - each page: WM_VSCROLL SB_PAGEDOWN sent to the list view (the scroll, with whatever painting
#   the list does in it), then the timed repaint: RedrawWindow with RDW_INVALIDATE | RDW_FRAME |
#   RDW_ALLCHILDREN | RDW_UPDATENOW. Under Wine that call sends WM_PAINT to the list and its
#   header and waits for each, and the list's BeginPaint sends WM_NCPAINT (frame and scroll bar)
#   and WM_ERASEBKGND inside it, so the whole paint runs in the timed call. winprobe checks it:
#   an invalidated list must show a pending update region from winprobe's side, and none may be
#   left on the list or its children after each timed call, else it stops with an error.
# The times include one cross-process round trip per message, a few tens of microseconds.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source bench/wine-bench.sh
drivers=${1:-5000}

python3 bench/list_scroll/machine.py "$root/build/win64/bench/list_scroll/machine" "$drivers"
bench_probe_setup list_scroll "$root/build/win64/bench/list_scroll/machine" list-scroll

# The first run in the prefix imports the machine's 5,000 instance keys; that is not timed.
bench_start_program 600 || { echo "list_scroll: no main window with its rows" >&2; exit 1; }

probe focus TfrmMain
display=:$(cat "$prefix/.display")
desktop=$(DISPLAY=$display xdotool search --name 'Wine desktop' | head -1)
DISPLAY=$display xdotool windowfocus --sync "$desktop" key --delay 50 alt Down Down
sleep 1
scan=$(probe time-return TfrmMain) || { echo "list_scroll: the scan was not timed" >&2; exit 1; }

# Back to the recommended drivers (the status bar's count must change for the next timing), then
# a value added to every class key (a new one each run), imported while the program runs.
probe focus TfrmMain
DISPLAY=$display xdotool windowfocus --sync "$desktop" key --delay 50 alt Down
sleep 1
probe time-return TfrmMain >/dev/null || { echo "list_scroll: no recommended scan" >&2; exit 1; }
touch_reg=$app/touch.reg
python3 - "$touch_reg" "$drivers" <<'PY'
import sys, time
sys.path.insert(0, "bench/list_scroll")
from machine import CLASS_ROOT, PER_CLASS, class_guid
out = ["Windows Registry Editor Version 5.00", ""]
for n in range((int(sys.argv[2]) + PER_CLASS - 1) // PER_CLASS):
    out += ["[%s\\%s]" % (CLASS_ROOT, class_guid(n)), '"BenchTouched"="%d"' % time.time_ns(), ""]
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out))
PY
run regedit /S "$(WINEPREFIX=$prefix winepath -w "$touch_reg")" >/dev/null 2>&1
probe focus TfrmMain
DISPLAY=$display xdotool windowfocus --sync "$desktop" key --delay 50 alt Down Down
sleep 1
rescan=$(probe time-return TfrmMain) || { echo "list_scroll: the rescan was not timed" >&2; exit 1; }
read -r _ _ _ page _ count _ < <(probe list-view TfrmMain)
pages=$(probe time-pages TfrmMain) || { echo "list_scroll: page timing failed" >&2; exit 1; }
probe close TfrmMain >/dev/null || true
wait "$pid" || true
pid=""

stats() {
  sort -n | awk '{a[NR] = $1} END {printf "median %.1f ms, slowest %.1f ms", a[int((NR + 1) / 2)], a[NR]}'
}
printf 'rows: %d, %d per page, %d pages scrolled (load %s)\n' "$count" "$page" \
  "$(grep -c '^page ' <<<"$pages")" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'scan all drivers: %.0f ms\n' "$scan"
printf 'scan all drivers, every class changed: %.0f ms\n' "$rescan"
printf 'repaint of one page: %s (aim: slowest 10 ms)\n' "$(awk '{print $8}' <<<"$pages" | stats)"
printf 'page-down message: %s\n' "$(awk '{print $6}' <<<"$pages" | stats)"
