#!/usr/bin/env bash
# The skin tools end to end: pack a skin folder twice (same bytes), list and extract it back,
# and load it into the model from the packed file and from the folder.
#   tools_test.sh VLZ SKINMODEL SKIN_DIR WORK_DIR
set -eu
vlz=$1 skinmodel=$2 skin=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
"$vlz" pack "$skin" "$work/a.vlz"
"$vlz" pack "$skin" "$work/b.vlz"
cmp "$work/a.vlz" "$work/b.vlz"
[ "$("$vlz" list "$work/a.vlz" | head -1 | cut -f3)" = "Options.dat" ]
"$vlz" extract "$work/a.vlz" "$work/out"
diff -r "$skin" "$work/out"
"$skinmodel" "$work/a.vlz" > "$work/packed.json"
"$skinmodel" "$skin" > "$work/folder.json"
grep -q '"SectionName":"BUTTON"' "$work/packed.json"
grep -q '"KeyName":"EXBORDER"' "$work/folder.json"
printf 'not a skin' > "$work/bad.vlz"
if "$skinmodel" "$work/bad.vlz" 2> "$work/err.txt"; then exit 1; fi
grep -qx 'Loaded data is not a packed Velvane file' "$work/err.txt"
echo "1 passed, 0 failed"
