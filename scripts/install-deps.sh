#!/usr/bin/env bash
# Installs everything the console needs to build, run and be tested on Debian 12.
# Runs apt-get as root, through sudo when started by another user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-serialport-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libqt6svg6 fonts-dejavu-core xvfb xauth
  # The English translation: lupdate and lrelease (with their CMake functions), and Qt's
  # own Russian texts (qtbase_ru.qm) for standard buttons and file dialogs.
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  # pdftotext and pdftoppm: the calibration report's test reads its text back.
  poppler-utils
  # Hardening checks run by scripts/test.sh: clang with libFuzzer's runtime (the
  # libclang_rt.fuzzer libraries come in libclang-rt-14-dev), clang-tidy and cppcheck,
  # and dpkg-dev for the package's shared-library dependencies (dpkg-shlibdeps).
  clang libclang-rt-14-dev clang-tidy cppcheck dpkg-dev
  # The Windows build and its test under Wine (scripts/windows.sh, scripts/wine-test.sh):
  # the mingw-w64 cross compiler, Wine, the tools that draw the console's icon file from
  # its SVG, zip for the portable package, and a sans-serif face for Wine's dialog font.
  g++-mingw-w64-x86-64-posix wine wine64 librsvg2-bin icoutils zip unzip fonts-liberation
)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${packages[@]}"
