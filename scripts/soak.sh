#!/usr/bin/env bash
# The soak runs. Each builds what it runs in build/ (or $TRELVIK_BUILD_DIR) and exits
# non-zero when a check fails.
#
#   scripts/soak.sh [ticks]          the window against the simulator at 19200 baud on 50 ms
#                                    timer ticks with the poll on, writing and reading back a
#                                    table every 40 ticks (default 2400 ticks, about two
#                                    minutes). Prints ticks, answers, tables written and
#                                    verified, peak RSS, RSS growth after warm-up, longest and
#                                    average tick and wall time.
#   scripts/soak.sh cli [requests]   trelvik-cli poll --interval 0 against the simulator for
#                                    that many answers (default 1500, about 30 s), then SIGTERM. Prints
#                                    RSS after a fifth of them and at the end, and fails when
#                                    it grew by more than 1 MiB or the poll did not end with 0.
#   scripts/soak.sh tare [seconds]   trelvik-cli tare idle at its prompt, polling a tank,
#                                    for that long (default 30) after its first point and a
#                                    warm-up; then SIGTERM (status 130). The same RSS check.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${TRELVIK_BUILD_DIR:-build}
mode=window
case "${1:-}" in
  cli | tare) mode=$1; shift ;;
esac
rss_growth_limit_kib=1024

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVIK_WERROR=ON >/dev/null
fi

if [ "$mode" = window ]; then
  ticks=${1:-2400}
  cmake --build "$dir" --target trelvik_soak
  # Bounded whatever happens: the ticks at their interval, plus room.
  QT_QPA_PLATFORM=offscreen timeout --signal=TERM $((ticks / 10 + 120)) "$dir/tests/soak/trelvik_soak" "$ticks"
  exit
fi

cmake --build "$dir" --target trelvik-cli trelvik-sim >/dev/null
cli=$dir/cli/trelvik-cli
work=$(mktemp -d)
sim_pid= cli_pid=
cleanup() {
  [ -n "$cli_pid" ] && kill "$cli_pid" 2>/dev/null
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
lines() { wc -l <"$1"; }
# Waits until `file` has at least `n` lines, while the tool runs; false when it ended first.
await_lines() {
  local file=$1 n=$2
  while [ "$(lines "$file")" -lt "$n" ]; do
    kill -0 "$cli_pid" 2>/dev/null || return 1
    sleep 0.2
  done
}
start_sim() {
  "$dir/tools/sim/trelvik-sim" "$@" >"$work/sim.log" &
  sim_pid=$!
  for _ in $(seq 50); do
    [ -s "$work/sim.log" ] && break
    sleep 0.1
  done
  device=$(head -n 1 "$work/sim.log")
  [ -n "$device" ] || { echo "the simulator did not start" >&2; exit 1; }
}
# Stops the tool as Ctrl+C does; its exit status in `status`. SIGTERM, for a job a script
# started in the background ignores SIGINT, and the tool leaves an ignored signal ignored.
interrupt() {
  kill -TERM "$cli_pid"
  status=0
  wait "$cli_pid" || status=$?
  cli_pid=
}
verdict() {
  local before=$1 after=$2 status=$3 wanted=$4 started=$5
  local growth=$((after - before))
  echo "RSS after warm-up  $before KiB"
  echo "RSS at the end     $after KiB"
  echo "RSS growth         $growth KiB (limit $rss_growth_limit_kib)"
  echo "exit status        $status (wanted $wanted)"
  echo "wall time          $((SECONDS - started)) s"
  [ "$growth" -le "$rss_growth_limit_kib" ] && [ "$status" -eq "$wanted" ]
}

started=$SECONDS
if [ "$mode" = cli ]; then
  requests=${1:-1500}
  start_sim --no-pace --no-drift
  : >"$work/poll.csv"
  "$cli" --port "$device" poll 1 --interval 0 >"$work/poll.csv" 2>"$work/poll.err" &
  cli_pid=$!
  # The header line comes first; answers follow, one a line.
  await_lines "$work/poll.csv" $((requests / 5 + 1)) || { cat "$work/poll.err" >&2; exit 1; }
  before=$(rss_kib "$cli_pid")
  await_lines "$work/poll.csv" $((requests + 1)) || { cat "$work/poll.err" >&2; exit 1; }
  after=$(rss_kib "$cli_pid")
  interrupt
  echo "answers            $(($(lines "$work/poll.csv") - 1))"
  echo "misses             $(grep -c ' no answer: ' "$work/poll.err" || true)"
  verdict "$before" "$after" "$status" 0 "$started"
else
  seconds=${1:-30}
  start_sim --tank 1:1000
  mkfifo "$work/typed"
  : >"$work/tare.csv"
  "$cli" --port "$device" tare 1 --session "$work/tank.json" --settle 1 --tolerance 6 \
    <"$work/typed" >"$work/tare.csv" 2>"$work/tare.err" &
  cli_pid=$!
  exec 3>"$work/typed"  # the prompt stays open: nothing is typed
  await_lines "$work/tare.csv" 2 || { cat "$work/tare.err" >&2; exit 1; }
  sleep 5  # warm-up: the first point taken, the polls under way
  before=$(rss_kib "$cli_pid")
  sleep "$seconds"
  after=$(rss_kib "$cli_pid")
  interrupt
  exec 3>&-
  echo "polls              $(grep -c '<- 31 01 F0' "$work/sim.log" || true)"
  verdict "$before" "$after" "$status" 130 "$started"
fi
