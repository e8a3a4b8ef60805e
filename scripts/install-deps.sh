#!/usr/bin/env bash
# Installs everything the console needs to build, run and be tested on Debian 12.
# Runs apt-get as root, through sudo when started by another user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-serialport-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libqt6svg6 fonts-dejavu-core xvfb xauth
  # Hardening checks run by scripts/test.sh: clang with libFuzzer's runtime (the
  # libclang_rt.fuzzer libraries come in libclang-rt-14-dev), clang-tidy and cppcheck,
  # and dpkg-dev for the package's shared-library dependencies (dpkg-shlibdeps).
  clang libclang-rt-14-dev clang-tidy cppcheck dpkg-dev
)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${packages[@]}"
