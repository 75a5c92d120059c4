# Helpers of the benches that run the program under Wine; sourced by them, not run.

# The median of the numbers given.
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# Copies the built program into a folder of its own ($app), so that a bench never writes into the
# build; at exit the folder is removed and the program the bench started last ($pid) is ended.
bench_program_copy() {
  app=$(mktemp -d "${TMPDIR:-/tmp}/dk-$1.XXXXXX")
  pid=""
  trap bench_cleanup EXIT
  cp -r build/win64/bin/. "$app"/
}

bench_cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$app"
}

# The display's scale as a user sets it (LogPixels: 96 is 100 %, 144 is 150 %), through the
# launcher in the array $launch; each program started afterwards sees it.
set_dpi() {
  "${launch[@]}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1
}
