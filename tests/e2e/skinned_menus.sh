#!/usr/bin/env bash
# Menus are the skin's: in a skin of each family (light, dark, glossy, textured, high contrast)
# the "Backup" drop-down, the system menu and the Backup button's drop-down open skinned (shot as
# soon as the menu window exists and again a second later); the highlighted entry differs from
# the plates and shows at least four colours across the five skins; and an entry chosen from the
# skinned menu still runs.
source "$(dirname "$0")/lib.sh"

dir=$(dk_workdir)
rm -f "$dir"/plugin/*.dll

# The colour of a screen point of a shot.
pixel() { convert "$DK_OUT/$1.png" -format "%[pixel:p{$2,$3}]" info:; }

# Opens the Backup button's drop-down part with the mouse and shoots its menu.
split_menu() {
  local x y w h
  read -r x y w h < <(dk_probe | sed -nE 's/^  child Button "&Backup" visible (-?[0-9]+),(-?[0-9]+) ([0-9]+)x([0-9]+)$/\1 \2 \3 \4/p')
  [ -n "${h:-}" ] || dk_fail "no Backup button"
  DISPLAY=$(dk_display) xdotool mousemove $((x + w - 8)) $((y + h / 2)) click 1
  dk_wait_for '^window #32768 ' 10
  sleep 1
  dk_screenshot "$1" >/dev/null
  dk_key Escape
}

hots=()
for skin in "Soft Azure" "Night Ember" "Glass Ruby" "Parchment" "Contrast Yellow"; do
  name=menus-${skin// /-}
  dk_start "$dir" /skin "$skin"
  dk_wait_for '^window TfrmMain "Driver Keeper"' 90
  dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\.'
  dk_wine "$DK_PROBE" focus TfrmMain
  dk_key alt Right Down
  dk_wait_for '^window #32768 ' 10
  dk_screenshot "$name-opening" >/dev/null  # as soon as the menu window exists
  sleep 1
  dk_screenshot "$name-backup" >/dev/null
  read -r l t r b _ < <(dk_wine "$DK_PROBE" rect '#32768' | tr -d '\r')
  [ -n "${b:-}" ] || dk_fail "no menu window"
  hot=$(pixel "$name-backup" $((r - 30)) $((t + 5)))
  plate=$(pixel "$name-backup" $((r - 30)) $((b - 6)))
  frame=$(pixel "$name-backup" $((l + 1)) $(((t + b) / 2)))
  echo "$skin: hot $hot plate $plate frame $frame"
  [ "$hot" != "$plate" ] || dk_fail "$skin: the highlighted entry looks like the others ($hot)"
  hots+=("$hot")
  dk_key Escape Escape
  dk_key alt+space
  dk_wait_for '^window #32768 ' 10
  sleep 1
  dk_screenshot "$name-system" >/dev/null
  dk_key Escape
  split_menu "$name-split"
  dk_wine "$DK_PROBE" close TfrmMain || true
  dk_wait_exit 30
done
[ "$(printf '%s\n' "${hots[@]}" | sort -u | wc -l)" -ge 4 ] ||
  dk_fail "the highlighted entries share colours across skins: ${hots[*]}"

# An entry of the skinned menu runs its command: "Scan all drivers" from the first menu.
dk_start "$dir"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\.' 90
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Down Down Return
dk_wait_for 'child msctls_statusbar32 "51 drivers found\.' 30
dk_wine "$DK_PROBE" close TfrmMain || true
dk_wait_exit 30
echo "skinned menus: ok"
