#!/usr/bin/env bash
# The system's sha256sum on 100 MB, the reference for bench_packages (run both on one machine).
set -euo pipefail
file=$(mktemp)
trap 'rm -f "$file"' EXIT
head -c $((100 << 20)) /dev/urandom >"$file"
cat "$file" >/dev/null  # in the page cache, as the benchmark's bytes are in memory
start=$(date +%s.%N)
sha256sum "$file" >/dev/null
end=$(date +%s.%N)
echo "sha256sum 100 MB: $(echo "$end - $start" | bc) s, $(echo "100 / ($end - $start)" | bc) MB/s"
