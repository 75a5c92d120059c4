#!/usr/bin/env bash
# Stored skins unpack into a folder that packs to the same bytes twice over, and those bytes are
# the stored skin's own: a skin edited as a folder rebuilds byte for byte. Every sixth skin of the
# index is enough: they are all written by the same code, and the sanitizer build packs slowly.
#   pack_test.sh VLZ SKINS_DIR WORK_DIR
set -eu
vlz=$1 skins=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
count=0
while IFS= read -r name; do
  [ -n "$name" ] || continue
  "$vlz" extract "$skins/$name.vlz" "$work/folder"
  "$vlz" pack "$work/folder" "$work/a.vlz"
  "$vlz" pack "$work/folder" "$work/b.vlz"
  cmp "$work/a.vlz" "$work/b.vlz"
  cmp "$skins/$name.vlz" "$work/a.vlz"
  rm -rf "$work/folder"
  count=$((count + 1))
done < <(awk 'NF && NR % 6 == 1' "$skins/index.txt")
[ "$count" = 8 ]
rm -rf "$work"
echo "$count skins repacked to the same bytes"
