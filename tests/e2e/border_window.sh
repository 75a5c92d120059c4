#!/usr/bin/env bash
# The main window's border window: in a light, a dark and a glossy skin the program shows a layered
# window around its main window, behind it, whose soft shadow darkens the desktop next to the frame
# and fades out before its outer edge. Shot once on the plain display and once more with a
# compositing manager (xcompmgr), when the machine has one.
source "$(dirname "$0")/lib.sh"

dir=$(dk_workdir)
rm -f "$dir"/plugin/*.dll

# "left top right bottom" of a top-level window of the class.
rect() { dk_wine "$DK_PROBE" rect "$1" | tr -d '\r' | cut -d' ' -f1-4; }
pixel() { convert "$1" -format "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]" \
  -crop "1x1+$2+$3" +repage info:; }
brightness() { read -r r g b <<<"$(pixel "$@")"; echo $((r + g + b)); }

shoot() {
  local skin=$1 shot=$2 l t r b L T R B
  dk_start "$dir" /skin "$skin"
  dk_wait_for '^window TfrmMain "Driver Keeper"' 90
  dk_wait_for '^window veBorderForm' 30
  sleep 2
  dk_screenshot "$shot" >/dev/null
  read -r l t r b <<<"$(rect TfrmMain)"
  read -r L T R B <<<"$(rect veBorderForm)"
  ((L < l && T < t && R > r && B > b)) ||
    dk_fail "$skin: the border window $L,$T,$R,$B does not enclose the form $l,$t,$r,$b"
  # Beside the frame the shadow darkens the desktop; past the border window's edge it is the
  # desktop's own colour.
  local at="$DK_OUT/$shot.png" y=$(((t + b) / 2))
  local desktop shadow outside
  desktop=$(brightness "$at" $((R + 40)) "$y")
  outside=$(brightness "$at" $((L - 3)) "$y")
  shadow=$(brightness "$at" $(((r + R) / 2 + 1)) "$y")
  echo "$skin ($shot): desktop $desktop, shadow $shadow, outside $outside"
  ((shadow < desktop)) || dk_fail "$skin: no shadow beside the frame ($shadow vs $desktop)"
  ((outside == desktop)) || dk_fail "$skin: the shadow reaches past its window ($outside vs $desktop)"
  dk_wine "$DK_PROBE" close TfrmMain || true
  dk_wait_exit 30
}

skins=("Soft Azure" "Night Ember" "Glass Ruby")
for skin in "${skins[@]}"; do
  shoot "$skin" "border_window-${skin// /-}"
done

if ! command -v xcompmgr >/dev/null; then
  echo "xcompmgr is missing: no shots with a compositing manager"
  echo "PASS"
  exit 0
fi
DISPLAY=$(dk_display) xcompmgr >>"$DK_LOG" 2>&1 &
compositor=$!
trap 'kill "$compositor" 2>/dev/null || true; dk_cleanup' EXIT
sleep 1
for skin in "${skins[@]}"; do
  shoot "$skin" "border_window-composited-${skin// /-}"
done
kill "$compositor"
echo "PASS"
