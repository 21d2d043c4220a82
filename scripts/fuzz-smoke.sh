#!/usr/bin/env bash
# Runs every fuzzer for a short while from its seed corpus, so a regression surfaces in
# the test run. Usage: fuzz-smoke.sh BIN_DIR SECONDS
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

for fuzzer in "$bin_dir"/fuzz_*; do
  name=$(basename "$fuzzer")
  work=$(mktemp -d)
  # The fuzzer grows its corpus in a scratch copy; the seeds in the tree stay as they are.
  if [[ -d "$source_dir/fuzz/corpus/$name" ]]; then
    cp -r "$source_dir/fuzz/corpus/$name/." "$work/"
  fi
  echo "Fuzzing $name for $seconds s"
  (cd "$work" && "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
      -rss_limit_mb=4096 -malloc_limit_mb=64 -print_final_stats=0 . 2> "$work/log.txt") || {
    tail -n 60 "$work/log.txt"
    echo "$name found a fault"
    exit 1
  }
  grep -E '^#[0-9]+.*DONE' "$work/log.txt" || tail -n 1 "$work/log.txt"
  rm -rf "$work"
done
