#!/usr/bin/env bash
# The soak run: scripts/soak.sh [ticks] (default 2400, about two minutes). Builds
# tests/soak/trelvik_soak in build/ (or $TRELVIK_BUILD_DIR) and runs the window against
# the simulator at 19200 baud on 50 ms timer ticks with the poll on, writing and reading
# back a table every 40 ticks. Prints ticks, answers, tables written and verified, peak
# RSS, RSS growth after warm-up, longest and average tick and wall time; exits non-zero
# when any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${TRELVIK_BUILD_DIR:-build}
ticks=${1:-2400}

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVIK_WERROR=ON >/dev/null
fi
cmake --build "$dir" --target trelvik_soak
# Bounded whatever happens: the ticks at their interval, plus room.
QT_QPA_PLATFORM=offscreen timeout --signal=TERM $((ticks / 10 + 120)) "$dir/tests/soak/trelvik_soak" "$ticks"
