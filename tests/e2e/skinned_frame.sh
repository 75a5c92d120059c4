#!/usr/bin/env bash
# The main window's frame, title bar and menu bar are the skin's: in a skin of each family
# (light, dark, glossy, textured, high contrast) the screen shows different title, frame and
# menu-bar colours and the platform's system menu is hidden, and after "Scan all drivers" the list
# with its header and scroll bar, the status bar and the group box show the skin's colours;
# "/skin NAME" picks the skin for one run; a skin chosen from the system menu with the keyboard is remembered for the next start; an
# open menu and the About window coming and going leave the skinned title alone; the close button
# lights up under the mouse.
source "$(dirname "$0")/lib.sh"

dir=$(dk_workdir)
rm -f "$dir"/plugin/*.dll
settings() { find "$DK_PREFIX/drive_c/users" -path '*Driver Keeper/settings.ini' 2>/dev/null; }
forget() { settings | while read -r f; do rm -f "$f"; done; }
forget

# Screen colours of the running main window: title band, left frame, menu band (right of the
# items), as "title frame menu".
pixels() {
  local shot=$1 l t r b style
  read -r l t r b style < <(dk_wine "$DK_PROBE" rect TfrmMain | tr -d '\r')
  [ "$style" = nosysmenu ] || dk_fail "the platform's system menu is still on the window"
  local at="$DK_OUT/$shot.png"
  printf '%s %s %s\n' \
    "$(convert "$at" -format "%[pixel:p{$((l + 40)),$((t + 10))}]" info:)" \
    "$(convert "$at" -format "%[pixel:p{$((l + 1)),$((t + 200))}]" info:)" \
    "$(convert "$at" -format "%[pixel:p{$((r - 30)),$((t + 36))}]" info:)"
}

# Starts the program (name, then its arguments), shoots it and leaves its colours in COLOURS.
run_shot() {
  local name=$1
  shift
  dk_start "$dir" "$@"
  dk_wait_for '^window TfrmMain "Driver Keeper"' 90
  dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\.'
  sleep 1
  dk_screenshot "$name" >/dev/null
  COLOURS=$(pixels "$name")
}

stop() {
  dk_wine "$DK_PROBE" close TfrmMain || true
  dk_wait_exit 30
}

# After "Scan all drivers", screen colours of the controls inside the window as "list header bar
# status group": the list right of its columns, its header's empty column, the vertical scroll
# bar's track, the status bar's second panel and the group box's inside.
controls() {
  local shot=$1 line WL WT WR WB CL CT CR CB
  dk_wine "$DK_PROBE" focus TfrmMain
  dk_key alt Down Down Return
  dk_wait_for 'child msctls_statusbar32 "52 drivers found\.' 30
  sleep 1
  dk_screenshot "$shot" >/dev/null
  line=$(dk_wine "$DK_PROBE" list-view TfrmMain | tr -d '\r')
  read -r _ _ _ _ _ _ _ _ _ WL WT WR WB _ CL CT CR CB <<<"$line"
  [ -n "${CB:-}" ] || dk_fail "no list view state: '$line'"
  local x0=$((WL - 5)) y0=$((WT - 8)) at="$DK_OUT/$shot.png"
  local probe
  for probe in "$((CL + 670)) $((CT + 120))" "$((CL + 670)) $((CT + 6))" \
    "$(((CR + WR) / 2)) $((CB - 40))" "$((x0 + 600)) $((y0 + 444))" "$((x0 + 300)) $((y0 + 360))"; do
    read -r x y <<<"$probe"
    printf '%s ' "$(convert "$at" -format "%[pixel:p{$x,$y}]" info:)"
  done
  echo
}

declare -A seen
declare -A inside
for skin in "Soft Azure" "Night Ember" "Glass Ruby" "Parchment" "Contrast Yellow"; do
  shot="skinned_frame-${skin// /-}"
  run_shot "$shot" /skin "$skin"
  inner=$(controls "$shot-all")
  stop
  echo "$skin: $COLOURS; inside: $inner"
  read -r title frame menu <<<"$COLOURS"
  for part in "title:$title" "frame:$frame" "menu:$menu"; do
    [ -z "${seen[$part]:-}" ] || dk_fail "$skin shows the same $part colour as ${seen[$part]}"
    seen[$part]=$skin
  done
  read -r list header bar status group <<<"$inner"
  for part in "list:$list" "header:$header" "bar:$bar" "status:$status" "group:$group"; do
    inside[$part]=1
  done
done
# The controls carry each skin's colours: every part shows at least four colours in five skins.
for part in list header bar status group; do
  kinds=$(printf '%s\n' "${!inside[@]}" | grep -c "^$part:")
  ((kinds >= 4)) || dk_fail "the $part shows only $kinds colours in five skins"
done

# Choose the first skin of "Available skins" with the keyboard (sorted: Canvas), then start
# again without arguments: the choice is remembered.
run_shot skinned_frame-canvas /skin canvas
expected=$COLOURS
stop
run_shot skinned_frame-before-choice
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt+space
sleep 1
dk_screenshot skinned_frame-system-menu >/dev/null
dk_key Down Right Return
sleep 2
[ -n "$(settings)" ] || dk_fail "the chosen skin was not remembered"
grep -q '^Name=Canvas (internal)' "$(settings | head -1)" || dk_fail "remembered: $(cat "$(settings | head -1)")"
dk_screenshot skinned_frame-chosen >/dev/null
chosen=$(pixels skinned_frame-chosen)
stop
[ "$chosen" = "$expected" ] || dk_fail "the chosen skin shows $chosen, /skin canvas showed $expected"
run_shot skinned_frame-remembered
remembered=$COLOURS
stop
[ "$remembered" = "$expected" ] || dk_fail "the next start shows $remembered, not the chosen $expected"
forget

# Activation changes, an open drop-down menu and a closed About window leave the skin's title in
# place: the platform never gets to paint its own caption over it.
run_shot skinned_frame-default
before=$COLOURS
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Down
sleep 1
dk_screenshot skinned_frame-menu-open >/dev/null
[ "$(pixels skinned_frame-menu-open | cut -d' ' -f1-2)" = "$(cut -d' ' -f1-2 <<<"$before")" ] ||
  dk_fail "the title or frame changed while a menu is open"
dk_key Escape Escape alt Right Right Down Up Return
dk_wait_for '^window TFormAbout' 30
dk_screenshot skinned_frame-about >/dev/null
dk_wine "$DK_PROBE" close TFormAbout
sleep 1
dk_screenshot skinned_frame-after-about >/dev/null
[ "$(pixels skinned_frame-after-about)" = "$before" ] ||
  dk_fail "after the About window: $(pixels skinned_frame-after-about), before: $before"

# Hovering the close button lights it; leaving it puts the plain button back.
buttons() {
  local l t r b style
  read -r l t r b style < <(dk_wine "$DK_PROBE" rect TfrmMain | tr -d '\r')
  convert "$DK_OUT/$1.png" -crop "60x26+$((r - 60))+$t" +repage "$DK_OUT/$1-buttons.png"
  echo "$r $t"
}
read -r right top < <(buttons skinned_frame-after-about)
DISPLAY=$(dk_display) xdotool mousemove $((right - 18)) $((top + 13))
sleep 1
dk_screenshot skinned_frame-close-hot >/dev/null
buttons skinned_frame-close-hot >/dev/null
DISPLAY=$(dk_display) xdotool mousemove 20 20
sleep 1
dk_screenshot skinned_frame-close-left >/dev/null
buttons skinned_frame-close-left >/dev/null
differ() { [ "$(compare -metric AE "$DK_OUT/$1-buttons.png" "$DK_OUT/$2-buttons.png" null: 2>&1)" != 0 ]; }
differ skinned_frame-after-about skinned_frame-close-hot || dk_fail "the close button does not light up"
differ skinned_frame-after-about skinned_frame-close-left && dk_fail "the close button stays lit"
stop
echo "PASS"
