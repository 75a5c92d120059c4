#!/usr/bin/env bash
# Builds all four targets and runs every test tier: native unit tests and fuzz replays, the
# same under ASan+UBSan with short fuzz runs, the win64 tests under Wine, and the end-to-end
# tests of the real program under Wine + Xvfb. Ends with the combined count.
set -uo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh

if [ "${CI:-}" = true ]; then export DK_WERROR=ON; fi
export CCACHE_DIR=${CCACHE_DIR:-$PWD/build/.ccache}

fail() { echo "$*" >&2; exit 1; }
for preset in native native-asan win64 win32; do
  echo "=== build $preset"
  cmake --preset "$preset" >build-"$preset".log 2>&1 || { cat build-"$preset".log; rm -f build-"$preset".log; fail "configure $preset failed"; }
  rm -f build-"$preset".log
  cmake --build --preset "$preset" || fail "build $preset failed"
done

passed=0
failed=0
cleanup() { cmake/wine-stop build/win64/wine; }
trap cleanup EXIT
for preset in native native-asan win64; do
  echo "=== test $preset"
  log=$(mktemp)
  ctest --preset "$preset" 2>&1 | tee "$log"
  summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  if [ -z "$summary" ]; then total=0; bad=1; fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  rm -f "$log"
done
echo
echo "${passed} passed, ${failed} failed"
[ "$failed" = 0 ]
