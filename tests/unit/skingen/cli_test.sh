#!/bin/sh
# skingen from the command line: the files of the contract, the same bytes from two runs and from
# packing a folder form again, and exit code 1 with a message for wrong arguments or a broken
# collection.
set -eu
skingen=$1
vlz=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$skingen" "$work/a" --folders "$work/folders" || fail "first run"
"$skingen" "$work/b" || fail "second run"
cmp -s "$work/a/index.txt" "$work/b/index.txt" || fail "index.txt differs"
cmp -s "$work/a/stored.txt" "$work/b/stored.txt" || fail "stored.txt differs"
count=0
while IFS= read -r name; do
  count=$((count + 1))
  cmp -s "$work/a/$name.vlz" "$work/b/$name.vlz" || fail "$name.vlz differs between runs"
  [ -f "$work/folders/$name/Options.dat" ] || fail "no folder form of $name"
  grep -q "^$name (internal)	" "$work/a/stored.txt" || fail "$name missing from stored.txt"
done < "$work/a/index.txt"
[ "$count" -eq 43 ] || fail "index.txt lists $count skins"
[ "$(wc -l < "$work/a/stored.txt")" -eq 43 ] || fail "stored.txt is not one line per skin"
for name in "Old Version Test" "Next Version Test"; do
  cmp -s "$work/a/test/$name.vlz" "$work/b/test/$name.vlz" || fail "test skin $name"
done
[ "$(ls "$work/a" | grep -c '\.vlz$')" -eq 43 ] || fail "test skins among the stored ones"
# The folder form packs to the very bytes of the packed form.
first=$(head -n 1 "$work/a/index.txt")
"$vlz" pack "$work/folders/$first" "$work/repacked.vlz"
cmp -s "$work/repacked.vlz" "$work/a/$first.vlz" || fail "the folder of $first packs differently"

if "$skingen" 2> "$work/err"; then fail "no arguments accepted"; fi
grep -q usage "$work/err" || fail "no usage message"
printf 'missing.txt\n' > "$work/list.txt"
if "$skingen" "$work/c" --collection "$work/list.txt" 2> "$work/err"; then
  fail "a missing family file accepted"
fi
grep -q "cannot read" "$work/err" || fail "no message for a missing family file"
echo "skingen command line: ok"
