#!/usr/bin/env bash
# Builds the Debian package (the console, the simulator, the icon and the desktop entry) in
# a build of its own, build-pkg/, and prints its path. Optimised as the tested build (-O2;
# cpack strips the programs): GCC 12 gives false -Warray-bounds/-Wrestrict at -O3.
# Install it with
#   sudo apt install ./build-pkg/trelvik-console_<version>-1_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVIK_WERROR=ON \
  -DTRELVIK_BUILD_TESTS=OFF -DTRELVIK_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build build-pkg -j2
(cd build-pkg && cpack -G DEB >/dev/null)
ls "$PWD"/build-pkg/trelvik-console_*.deb
