#!/usr/bin/env bash
# The program at display scales of 100 to 200 %, set as a user sets them (LogPixels of
# HKCU\Control Panel\Desktop): the main window grows with the scale, the list's rows fit their
# font, no column or control caption is cut, in the Driver packages window neither. At 150 and
# 200 % in a light and a dark skin the main window, the plug-in manager and the Driver packages
# window are photographed. With [Display] Scale=off in settings.ini the window keeps its 100 %
# size: the system stretches it. The scale goes back to 96 DPI at the end.
source "$(dirname "$0")/lib.sh"

set_dpi() {
  dk_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >>"$DK_LOG" 2>&1
}
# settings.ini [Display] Scale: "off", or removed (the program's own scaling).
set_scale() {
  local roaming
  roaming=$(find "$DK_PREFIX/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Roaming' |
    grep -v /Public/ | head -1)
  [ -n "$roaming" ] || dk_fail "no application data folder in the prefix"
  if [ "$1" = off ]; then
    mkdir -p "$roaming/Driver Keeper"
    printf '[Display]\r\nScale=off\r\n' >"$roaming/Driver Keeper/settings.ini"
  else
    rm -f "$roaming/Driver Keeper/settings.ini"
  fi
}
trap 'set_dpi 96; set_scale system || true; dk_cleanup' EXIT

# Whether the window's text fits: rows at least the font's height, columns wider than their
# header, no caption cut.
check_fit() {
  echo "$2" | awk -v dpi="$1" '
    /^row / { if ($2 < $4) { print "rows of " $2 " under a font of " $4; bad = 1 } }
    /^column / { if ($2 < $3 + 12 * dpi / 96) { print "column " $2 " for text " $3; bad = 1 } }
    /^text / { if ($2 < $3) { print "caption cut: " $0; bad = 1 } }
    END { exit bad }' >&2
}

dir=$(dk_workdir)
base_width=0 base_height=0
# dpi, photographed, settings.ini's Scale, skin
while read -r dpi shots scale skin <&3; do
  set_dpi "$dpi"
  set_scale "$scale"
  dk_start "$dir" /skin "$skin"
  dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
  read -r left top right bottom _ < <(dk_wine "$DK_PROBE" rect TfrmMain | tr -d '\r') ||
    dk_fail "no main window to measure"
  width=$((right - left)) height=$((bottom - top))
  fit=$(dk_wine "$DK_PROBE" fit TfrmMain Tahoma 11 | tr -d '\r') ||
    dk_fail "the main window's text could not be measured"
  echo "$dpi $scale $skin: ${width}x${height}" >>"$DK_LOG"
  echo "$fit" >>"$DK_LOG"
  [ "$(echo "$fit" | sed -n 's/^dpi //p')" = "$dpi" ] || dk_fail "the display is not at $dpi DPI"

  row=$(echo "$fit" | awk '/^row / { print $2 }')
  # The size in proportion to the scale, within a tenth (the frame comes from the skin). With the
  # scaling off the window is laid out as at 100 %, whose rows it has; its size depends on who
  # looks (Wine shows a process aware of scales the stretched size).
  if [ "$dpi" = 96 ]; then
    base_width=$width base_height=$height base_row=$row
  elif [ "$scale" = off ]; then
    [ "$row" = "$base_row" ] ||
      dk_fail "with Scale=off at $dpi DPI the rows are $row pixels, not $base_row as at 96 DPI"
  else
    for pair in "$width $base_width" "$height $base_height"; do
      read -r got base <<<"$pair"
      want=$((base * dpi / 96))
      [ $((got * 10)) -ge $((want * 9)) ] && [ $((got * 10)) -le $((want * 11)) ] ||
        dk_fail "at $dpi DPI the window is ${width}x${height}, from ${base_width}x${base_height}"
    done
  fi
  # Stretched by the system, the text is laid out for 100 %.
  [ "$scale" = off ] || check_fit "$dpi" "$fit" || dk_fail "text does not fit at $dpi DPI"

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
    dk_wine "$DK_PROBE" focus TfrmMain
    dk_key alt Right Right Down Down Down Return
    dk_wait_for '^window DkDriverPackages "Driver packages"' 30
    sleep 1
    fit=$(dk_wine "$DK_PROBE" fit DkDriverPackages Tahoma 11 | tr -d '\r') ||
      dk_fail "the Driver packages window's text could not be measured"
    echo "$fit" >>"$DK_LOG"
    check_fit "$dpi" "$fit" || dk_fail "the Driver packages window's text does not fit at $dpi DPI"
    dk_screenshot "$name-packages"
    dk_wine "$DK_PROBE" close DkDriverPackages
    for _ in $(seq 20); do dk_probe | grep -q '^window DkDriverPackages' || break; sleep 0.5; done
  fi
  dk_wine "$DK_PROBE" close TfrmMain
  dk_wait_exit
done 3<<'TABLE'
96 no system Soft Azure
120 no system Night Ember
144 yes system Soft Azure
144 yes system Night Ember
144 no off Soft Azure
192 yes system Soft Azure
192 yes system Night Ember
TABLE
echo "display_scale: ok"
