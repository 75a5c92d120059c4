#!/usr/bin/env bash
# skinpreview end to end: a skin folder and the same skin packed, into PNG and BMP sheets (the
# same bytes every time), and the errors a user can run into.
#   skinpreview_test.sh SKINPREVIEW VLZ SKIN_DIR WORK_DIR
set -eu
preview=$1 vlz=$2 skin=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
fail() { echo "FAILED: $*" >&2; exit 1; }

"$preview" "$skin" "$work/a.png"
"$preview" "$skin/" "$work/b.png"
cmp "$work/a.png" "$work/b.png"
[ "$(head -c 8 "$work/a.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "PNG signature"

"$vlz" pack "$skin" "$work/Slate.vlz"
"$preview" "$work/Slate.vlz" "$work/packed.BMP"
[ "$(head -c 2 "$work/packed.BMP")" = "BM" ] || fail "BMP signature"
"$preview" "$work/Slate.vlz" "$work/packed.png"

# Errors: exit code 1 and a message on standard error, nothing written.
expect_error() {  # expected-code expected-message-pattern args...
  local code=$1 pattern=$2 rc=0
  shift 2
  "$preview" "$@" 2> "$work/err.txt" || rc=$?
  [ "$rc" = "$code" ] || fail "exit code $rc for $*"
  grep -q "$pattern" "$work/err.txt" || fail "message for $*: $(cat "$work/err.txt")"
}
expect_error 1 "Cannot open file \"$work/missing.vlz\"" "$work/missing.vlz" "$work/c.png"
printf 'not a skin' > "$work/bad.vlz"
expect_error 1 '^Loaded data is not a packed Velvane file$' "$work/bad.vlz" "$work/c.png"
expect_error 1 "Cannot write \"$work/no/such/folder/c.png\"" "$skin" "$work/no/such/folder/c.png"
expect_error 1 "Cannot write \"$work/no/such/folder/c.bmp\"" "$skin" "$work/no/such/folder/c.bmp"
[ ! -e "$work/c.png" ] || fail "a sheet was written for a bad skin"
expect_error 2 '^usage: skinpreview' "$skin" "$work/c.gif"
expect_error 2 '^usage: skinpreview' "$skin"
expect_error 2 '^usage: skinpreview' --size 0x9 "$skin" "$work/c.png"
expect_error 2 '^usage: skinpreview' --colour red "$skin" "$work/c.png"
expect_error 1 '^The skin has no section "NOSUCH"$' --sections BUTTON,NOSUCH "$skin" "$work/c.png"

# A chosen few sections at one size make a smaller sheet than the whole skin.
"$preview" --sections BUTTON,FORM --size 60x20 "$skin" "$work/few.png"
[ "$(stat -c %s "$work/few.png")" -lt "$(stat -c %s "$work/a.png")" ] || fail "--sections sheet"
echo "1 passed, 0 failed"
