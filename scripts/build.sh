#!/usr/bin/env bash
# Configures and builds the console, the simulator, the tests and the benchmarks in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVIK_WERROR=ON "$@"
cmake --build build
