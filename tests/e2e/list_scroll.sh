#!/usr/bin/env bash
# Scrolling the driver list like a person, after "Scan all drivers" on the sample machine: a click
# on the vertical bar's down arrow moves it by one row; dragging the thumb half way stops in
# between, and to the end of the track shows the last row; with the list focused, End selects and
# shows the last row and Home the first. Only the bar's place is assumed (at the list's right edge
# inside its border, arrows at both ends), not the size of its arrows: the clicks stay clear of
# where a skin's arrows may end.
source "$(dirname "$0")/lib.sh"

# Reads the list view's state into TOP PAGE COUNT SELECTED, its window (WL WT WR WB) and client
# area (CL CT CR CB) on the screen.
read_state() {
  local line
  line=$(dk_wine "$DK_PROBE" list-view TfrmMain 2>>"$DK_LOG" | tr -d '\r')
  read -r _ TOP _ PAGE _ COUNT _ SELECTED _ WL WT WR WB _ CL CT CR CB <<<"$line"
  [ -n "${CB:-}" ] || dk_fail "no list view state: '$line'"
}

# Waits for a condition on the state (an arithmetic expression; five seconds unless given), then
# checks it once more after a moment, so that a late second scroll is seen too.
expect_state() {
  local condition=$1 what=$2 seconds=${3:-5} i
  for ((i = 0; i < seconds * 5; i++)); do
    read_state
    if ((condition)); then break; fi
    sleep 0.2
  done
  sleep 0.3
  read_state
  ((condition)) || dk_fail "$what: top $TOP, $PAGE per page, $COUNT rows, selected $SELECTED"
  echo "$what: top $TOP, selected $SELECTED"
}

xdo() { DISPLAY=$(dk_display) xdotool "$@"; }

# The vertical bar: its middle column BAR_X, its ends BAR_TOP and BAR_BOTTOM, its width BAR_W.
bar_geometry() {
  read_state
  BAR_W=$((WR - (CL - WL) - CR))
  BAR_X=$((CR + BAR_W / 2))
  BAR_TOP=$CT
  BAR_BOTTOM=$CB
  ((BAR_W > 4)) || dk_fail "no vertical scroll bar (width $BAR_W)"
}

# The middle of the thumb for the current top row, arrows taken as long as the bar is wide.
thumb_middle() {
  local track=$((BAR_BOTTOM - BAR_TOP - 2 * BAR_W))
  local length=$((track * PAGE / COUNT))
  echo $((BAR_TOP + BAR_W + (track - length) * TOP / (COUNT - PAGE) + length / 2))
}

# Presses the thumb and drags it to row y of the screen in a few moves, as a hand would; with a
# name, a screenshot of that name is taken while the thumb is still held.
drag_thumb_to() {
  local to=$1 shot=${2:-} from step
  from=$(thumb_middle)
  xdo mousemove "$BAR_X" "$from" mousedown 1
  for step in 1 2 3 4; do
    xdo mousemove "$BAR_X" $((from + (to - from) * step / 4)) sleep 0.1
  done
  [ -z "$shot" ] || dk_screenshot "$shot"
  xdo mouseup 1
}

dir=$(dk_workdir)
rm -f "$dir"/plugin/*.dll
dk_start "$dir"
dk_wait_for '^window TfrmMain "Driver Keeper"' 90
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."'
read_state
recommended=$COUNT

# Scan Driver > Scan all drivers, through the keyboard.
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Down Down Return
expect_state 'COUNT > recommended && TOP == 0' "all drivers" 30
((COUNT > PAGE && PAGE > 0)) || dk_fail "$COUNT rows, $PAGE per page: nothing to scroll"
bar_geometry

# (a) One click on the down arrow, near the bar's lower end, scrolls by exactly one row.
xdo mousemove "$BAR_X" $((BAR_BOTTOM - 5)) click 1
expect_state 'TOP == 1' "down arrow"

# (b) The thumb dragged half way down the track stops in between; dragged to the end of the track
# it shows the last row.
drag_thumb_to $(((BAR_TOP + BAR_BOTTOM) / 2)) list-scroll-drag
expect_state 'TOP > 1 && TOP < COUNT - PAGE' "thumb half way"
drag_thumb_to $((BAR_BOTTOM - 1))
expect_state 'TOP == COUNT - PAGE' "thumb at the end"
dk_screenshot list-scroll

# (c) A click on a row focuses the list; End goes to the last row, Home back to the first.
xdo mousemove $((CL + 200)) $(((CT + CB) / 2)) click 1
expect_state 'SELECTED >= 0' "row clicked"
dk_key End
expect_state 'SELECTED == COUNT - 1 && TOP == COUNT - PAGE' "End"
dk_key Home
expect_state 'SELECTED == 0 && TOP == 0' "Home"

dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit
[ "$DK_EXIT_CODE" = 0 ] || dk_fail "exit code $DK_EXIT_CODE"
echo "list_scroll: ok"
