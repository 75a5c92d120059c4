#!/usr/bin/env bash
# The program at display scales of 100 to 200 %, set as a user sets them (LogPixels of
# HKCU\Control Panel\Desktop): the main window grows with the scale, the list's rows fit their
# font, no column or control caption is cut. At 150 and 200 % in a light and a dark skin the main
# window and the plug-in manager are photographed. The scale goes back to 96 DPI at the end.
source "$(dirname "$0")/lib.sh"

set_dpi() {
  dk_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >>"$DK_LOG" 2>&1
}
trap 'set_dpi 96; dk_cleanup' EXIT

dir=$(dk_workdir)
base_width=0 base_height=0
# dpi, photographed, skin
while read -r dpi shots skin <&3; do
  set_dpi "$dpi"
  dk_start "$dir" /skin "$skin"
  dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
  read -r left top right bottom _ < <(dk_wine "$DK_PROBE" rect TfrmMain | tr -d '\r')
  width=$((right - left)) height=$((bottom - top))
  fit=$(dk_wine "$DK_PROBE" fit TfrmMain Tahoma 11 | tr -d '\r')
  echo "$dpi $skin: ${width}x${height}" >>"$DK_LOG"
  echo "$fit" >>"$DK_LOG"
  [ "$(echo "$fit" | sed -n 's/^dpi //p')" = "$dpi" ] || dk_fail "the display is not at $dpi DPI"

  # The size in proportion to the scale, within a tenth (the frame comes from the skin).
  if [ "$dpi" = 96 ]; then
    base_width=$width base_height=$height
  else
    for pair in "$width $base_width" "$height $base_height"; do
      read -r got base <<<"$pair"
      want=$((base * dpi / 96))
      [ $((got * 10)) -ge $((want * 9)) ] && [ $((got * 10)) -le $((want * 11)) ] ||
        dk_fail "at $dpi DPI the window is ${width}x${height}, from ${base_width}x${base_height}"
    done
  fi
  echo "$fit" | awk -v dpi="$dpi" '
    /^row / { if ($2 < $4) { print "rows of " $2 " under a font of " $4; bad = 1 } }
    /^column / { if ($2 < $3 + 12 * dpi / 96) { print "column " $2 " for text " $3; bad = 1 } }
    /^text / { if ($2 < $3) { print "caption cut: " $0; bad = 1 } }
    END { exit bad }' >&2 || dk_fail "text does not fit at $dpi DPI"

  if [ "$shots" = yes ]; then
    name="display_scale-$dpi-$(echo "$skin" | tr 'A-Z ' 'a-z-')"
    dk_screenshot "$name-main"
    dk_wine "$DK_PROBE" focus TfrmMain
    dk_key F12
    dk_wait_for '^window TfrmPlugin "Plugin"' 30
    sleep 1
    dk_screenshot "$name-plugins"
    dk_press Close Plugin
    for _ in $(seq 20); do dk_probe | grep -q '^window TfrmPlugin' || break; sleep 0.5; done
  fi
  dk_wine "$DK_PROBE" close TfrmMain
  dk_wait_exit
done 3<<'TABLE'
96 no Soft Azure
120 no Night Ember
144 yes Soft Azure
144 yes Night Ember
192 yes Soft Azure
192 yes Night Ember
TABLE
echo "display_scale: ok"
