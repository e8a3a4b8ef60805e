#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang in build-fuzz/ and runs them two at a
# time (FUZZ_JOBS), each for a bounded time, default 15 seconds: scripts/fuzz.sh [seconds].
# Starts from the seed corpus in tests/fuzz/corpus/<target>/ (and the target's dictionary,
# tests/fuzz/<target>.dict, if it has one) and keeps what it learns in build-fuzz/corpus/<target>/.
# Prints executions, executions per second, coverage and findings per target; a finding's
# input is kept as build-fuzz/findings/<target>-crash-... and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRELVIK_FUZZ=ON -DTRELVIK_WERROR=ON -DTRELVIK_BUILD_TESTS=OFF -DTRELVIK_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_targets

targets=(fuzz_reply_dispatch fuzz_table_frame fuzz_crc fuzz_number_text fuzz_byte_text fuzz_table_csv
  fuzz_table_json fuzz_unit_backup fuzz_reply_check fuzz_request_reply fuzz_taring_session)
mkdir -p build-fuzz/findings

# One target for the given time; its exit status goes to build-fuzz/<target>.status.
run_target() {
  local t=$1 corpus=build-fuzz/corpus/$1 status=0
  mkdir -p "$corpus"
  # A target with a dictionary (tests/fuzz/<target>.dict) mutates with its words.
  local dict=()
  [ -f "tests/fuzz/$t.dict" ] && dict=(-dict="tests/fuzz/$t.dict")
  # One process, the seeds read alongside the growing corpus; -rss_limit_mb keeps a
  # runaway input from taking the machine, and -timeout makes an input that hangs a finding.
  build-fuzz/tests/fuzz/$t "$corpus" "tests/fuzz/corpus/$t" -max_total_time="$seconds" \
    -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 -artifact_prefix="build-fuzz/findings/$t-" \
    "${dict[@]}" >"build-fuzz/$t.log" 2>&1 || status=$?
  echo "$status" >"build-fuzz/$t.status"
}

# Two targets at a time, one a core: each is a single process.
jobs=${FUZZ_JOBS:-2}
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "FUZZ_JOBS must be a number from 1" >&2; exit 2; }
rm -f build-fuzz/*.status  # a target that leaves none has failed, whatever an earlier run left
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$t" &
done
wait

failed=0
printf '%-22s %12s %10s %8s %8s  %s\n' target executions exec/s cov ft findings
for t in "${targets[@]}"; do
  log=build-fuzz/$t.log
  status=$(cat "build-fuzz/$t.status" 2>/dev/null || echo "none: the run ended without a status")
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -oE 'ft: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
  if [ "$status" = 0 ]; then
    finding=none
  else
    finding="FOUND (exit $status): $(grep -m1 -E 'property violated|ERROR: |runtime error' "$log" || echo 'see log'), log $log"
    failed=1
  fi
  printf '%-22s %12s %10s %8s %8s  %s\n' "$t" "${execs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "$finding"
done
exit "$failed"
