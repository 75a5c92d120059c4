#!/usr/bin/env bash
# Redraws the preview sheets of this folder from the skins the native build generated: two skins
# of each family, a few everyday elements each, small enough to keep in the repository.
#   docs/skins/make.sh [BUILD_DIR]   (default build/native; build it first)
set -eu
cd "$(dirname "$0")"
build=${1:-../../build/native}
sections=FORMTITLE,BUTTON,EDIT,COLHEADER,SELECTION,SCROLLSLIDERH,TABTOP,GAUGE,STATUSBAR
for skin in "Contrast Black" "Contrast White" "Linen" "Walnut" "Night Azure" "Night Ember" \
            "Glass Ocean" "Glass Ruby" "Flat Coral" "Flat Graphite" "Soft Dusk" "Soft Azure"; do
  "$build/bin/skinpreview" --sections "$sections" --size 112x30 "$build/skins/$skin.vlz" \
    "${skin// /-}.png"
done
