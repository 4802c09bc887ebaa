#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a fixed time each, starting from its seeds (and,
# for the assembly files, the samples; for STEP files, the test data). Fails on a crash, a leak,
# or an input slower than one second (ten for a STEP file: translating a real assembly takes
# about a second, in a child process, and the sanitizers slow it down); what made it fail is
# left in the working directory.
#
#   fuzz/run-fuzzers.sh BUILD_DIR SECONDS [WORK_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
seconds="$2"
work="${3:-$build/fuzz-work}"

# Open CASCADE's one-time registrations are not leaks of ours (see .ci/lsan.supp).
export LSAN_OPTIONS="suppressions=$root/.ci/lsan.supp"

for target in assembly_file reg_file unit_expression step_file; do
  corpus="$work/$target/corpus"
  mkdir -p "$corpus" "$work/$target/findings"
  seeds=("$root/fuzz/seeds/$target")
  if [ "$target" = assembly_file ]; then seeds+=("$root/examples"); fi
  timeout=1
  if [ "$target" = step_file ]; then seeds+=("$root/tests/data"); timeout=10; fi
  dict=()
  if [ -f "$root/fuzz/$target.dict" ]; then dict=("-dict=$root/fuzz/$target.dict"); fi
  echo "fuzzing $target for ${seconds}s" >&2
  "$build/fuzz/${target}_fuzzer" "${dict[@]}" -max_total_time="$seconds" -timeout="$timeout" \
    -rss_limit_mb=2048 -detect_leaks=1 -print_final_stats=1 \
    -artifact_prefix="$work/$target/findings/" "$corpus" "${seeds[@]}" \
    >"$work/$target/log" 2>&1 || { tail -n 60 "$work/$target/log" >&2; exit 1; }
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^#.*DONE' "$work/$target/log" >&2 || true
done
