#!/usr/bin/env bash
# Runs every fuzzer for SECONDS each (or until RUNS inputs, when given) from its grown corpus
# and its seeds. New inputs join CORPUS_DIR/<fuzzer>, so each run starts where the last one
# stopped; the seeds in fuzz/corpus/<fuzzer> stay as they are. Whatever crashes, leaks, hangs
# or runs out of memory is kept in FINDINGS_DIR/<fuzzer>/, and the script fails at the end.
# CORPUS_DIR/<fuzzer>.runs adds up the inputs run over every session.
# Usage: fuzz.sh BIN_DIR SECONDS CORPUS_DIR FINDINGS_DIR [RUNS]
set -uo pipefail
bin_dir=$(cd "$1" && pwd)
seconds=$2
mkdir -p "$3" "$4"
corpus_dir=$(cd "$3" && pwd)
findings_dir=$(cd "$4" && pwd)
runs=${5:-}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

failed=()
for fuzzer in "$bin_dir"/fuzz_*; do
  name=$(basename "$fuzzer")
  corpus="$corpus_dir/$name"
  findings="$findings_dir/$name"
  mkdir -p "$corpus" "$findings"
  log="$findings/last_session.log"
  echo "Fuzzing $name for $seconds s${runs:+ or $runs runs}"
  # The fuzzers write their scratch files into the working directory.
  work=$(mktemp -d)
  (cd "$work" && "$fuzzer" -max_total_time="$seconds" ${runs:+-runs="$runs"} -max_len=4096 \
      -timeout=10 -rss_limit_mb=4096 -malloc_limit_mb=64 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$source_dir/fuzz/corpus/$name" 2> "$log")
  status=$?
  rm -rf "$work"
  session=$(grep -aoE '^stat::number_of_executed_units: [0-9]+' "$log" | tail -n 1 | grep -oE '[0-9]+$')
  session=${session:-0}
  total=$(( $(cat "$corpus_dir/$name.runs" 2>/dev/null || echo 0) + session ))
  echo "$total" > "$corpus_dir/$name.runs"
  echo "$name: $session runs now, $total in all, $(ls "$corpus" | wc -l) inputs in the corpus"
  if [[ $status -ne 0 ]]; then
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)|Test unit written' "$log" | head -n 5
    echo "$name found a fault; its input is in $findings/ and its report in $log"
    failed+=("$name")
  fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Faults found by: ${failed[*]}"
  exit 1
fi
