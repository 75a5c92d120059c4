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

# Builds the program and winprobe, and readies a bench in the Wine prefix build/win64/wine/$1 on
# the machine folder $2 (registry and files, as samples/machine), with the program copied by
# bench_program_copy $3. Afterwards run starts a program in that prefix and probe runs winprobe
# there, its output without carriage returns. Needs $root, the checkout.
bench_probe_setup() {
  cmake --build --preset win64 --target DriverKeeper dk_package_files winprobe >/dev/null
  prefix=$root/build/win64/wine/$1
  machine=$2
  probe_exe=$(find "$root/build/win64" -name winprobe.exe -path '*/tests/*' | head -1)
  bench_program_copy "$3"
}

run() { "$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$machine" "$@"; }
probe() { run "$probe_exe" "$@" | tr -d '\r'; }

# Starts the copied program in the background ($pid) and waits, at most $1 seconds, until its
# main window lists the drivers it found; fails when it does not or the program ends.
bench_start_program() {
  (cd "$app" && exec "$root/cmake/wine-run" --prefix "$prefix" --sample-machine "$machine" \
    ./DriverKeeper.exe >/dev/null 2>&1) &
  pid=$!
  for ((tries = 0; tries < $1 * 2; tries++)); do
    probe list | grep -Eq 'child msctls_statusbar32 "[0-9]+ drivers found\.' && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.5
  done
  return 1
}

# The display's scale as a user sets it (LogPixels: 96 is 100 %, 144 is 150 %), through the
# launcher in the array $launch; each program started afterwards sees it.
set_dpi() {
  "${launch[@]}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1
}
