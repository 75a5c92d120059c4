# Shared plumbing of the end-to-end tests: the real program in a private Wine prefix holding the
# sample machine, a private Xvfb display, and a person's means to look and act (winprobe, xdotool).
# Set by ctest: DK_WINE_RUN, DK_PREFIX, DK_SAMPLE, DK_BIN, DK_PROBE, DK_OUT,.
set -euo pipefail

mkdir -p "$DK_OUT"
DK_LOG="$DK_OUT/$(basename "$0" .sh).log"
: >"$DK_LOG"

dk_wine() { "$DK_WINE_RUN" --prefix "$DK_PREFIX" --sample-machine "$DK_SAMPLE" "$@"; }

dk_fail() {
  echo "FAIL: $*" >&2
  echo "--- windows:" >&2
  dk_probe >&2 || true
  dk_screenshot "$(basename "$0" .sh)-failure" || true
  exit 1
}

# A fresh copy of the program's folder to run in, so tests never write into the build.
dk_workdir() {
  local dir
  dir=$(mktemp -d "$DK_OUT/work.XXXXXX")
  cp -r "$DK_BIN"/. "$dir"/
  echo "$dir"
}

# Writes a stored configuration file (each line byte-complemented) from plain text on stdin.
dk_write_config() {
  perl -e 'binmode STDIN; binmode STDOUT; local $/; my $s = <STDIN>;
           $s =~ s/([^\r\n]+)/$1 ^ ("\xff" x length $1)/ge; print $s' >"$1"
}

# Starts the program of a work folder in the background, from that folder.
dk_start() {
  local dir=$1
  shift
  (cd "$dir" && exec "$DK_WINE_RUN" --prefix "$DK_PREFIX" --sample-machine "$DK_SAMPLE" \
     ./DriverKeeper.exe "$@" >>"$DK_LOG" 2>&1) &
  DK_APP_PID=$!
}

dk_probe() { dk_wine "$DK_PROBE" list 2>>"$DK_LOG" | tr -d '\r'; }

# Waits until the window listing matches an extended regular expression.
dk_wait_for() {
  local pattern=$1 seconds=${2:-60} i
  for ((i = 0; i < seconds * 2; i++)); do
    if dk_probe | grep -Eq -- "$pattern"; then return 0; fi
    sleep 0.5
  done
  dk_fail "no window matching: $pattern"
}

# Clicks a button by its caption (and its window's title), once it is there: a window may be
# listed before its buttons are made.
dk_press() {
  local i
  for ((i = 0; i < 20; i++)); do
    if dk_wine "$DK_PROBE" press "$@" 2>>"$DK_LOG"; then return 0; fi
    sleep 0.5
  done
  dk_fail "no button to press: $*"
}

dk_display() { echo ":$(cat "$DK_PREFIX/.display")"; }

# Types keys as a person would: into the focused window of Wine's desktop (xdotool key syntax,
# e.g. Return, alt+F4, F11).
dk_key() {
  local display desktop
  display=$(dk_display)
  desktop=$(DISPLAY=$display xdotool search --name 'Wine desktop' | head -1)
  [ -n "$desktop" ] || dk_fail "no Wine desktop window"
  DISPLAY=$display xdotool windowfocus --sync "$desktop" key --delay 50 "$@"
}

dk_screenshot() {
  DISPLAY=$(dk_display) import -window root "$DK_OUT/$1.png" 2>>"$DK_LOG"
  echo "screenshot: $DK_OUT/$1.png"
}

# Waits for the started program to end and sets DK_EXIT_CODE.
dk_wait_exit() {
  local seconds=${1:-30} i
  for ((i = 0; i < seconds * 10; i++)); do
    if ! kill -0 "$DK_APP_PID" 2>/dev/null; then
      DK_EXIT_CODE=0
      wait "$DK_APP_PID" || DK_EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  dk_fail "the program did not end"
}

dk_cleanup() {
  [ -n "${DK_APP_PID:-}" ] && kill "$DK_APP_PID" 2>/dev/null || true
  WINEPREFIX=$DK_PREFIX wineserver -k >/dev/null 2>&1 || true
}
trap dk_cleanup EXIT
