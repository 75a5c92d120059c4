#!/usr/bin/env bash
# A short libFuzzer run that starts from the seed corpus and never writes into the repository.
#   smoke.sh FUZZER SEED_DIR WORK_DIR SECONDS
set -eu
fuzzer=$1 seeds=$2 work=$3 seconds=$4
if [ -z "$(ls -A "$seeds" 2>/dev/null)" ]; then
  echo "no seed corpus at $seeds" >&2
  exit 1
fi
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
exec "$fuzzer" "$work/corpus" "$seeds" -max_total_time="$seconds" -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1
