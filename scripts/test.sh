#!/usr/bin/env bash
# Builds everything and runs every test and check, one stage after another:
#   1. the normal build (build/) and its tests, the Debian package test included;
#   2. the whole test suite again under AddressSanitizer and UBSan (build-asan/);
#   3. every fuzz target for 15 seconds (build-fuzz/, scripts/fuzz.sh);
#   4. the static checks (build-lint/, scripts/lint.sh);
#   5. the Windows build (build-win/, scripts/windows.sh) tested under Wine
#      (scripts/wine-test.sh); skipped, with a line that says so, without the prebuilt Qt
#      for mingw-w64 in ../shared/windows.
# A failing stage does not stop the later ones; the script fails if any stage failed and
# ends with each stage's time and result.
set -uo pipefail
cd "$(dirname "$0")/.."

summary=()
failed=0
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "==== $name"
  if "$@"; then result=passed; else result=FAILED; failed=1; fi
  summary+=("$(printf '%-38s %-7s %4ds' "$name" "$result" $((SECONDS - start)))")
}

normal() {
  scripts/build.sh && ctest --test-dir build -j2 --output-on-failure --timeout 120
}

sanitized() (
  # Leaks are errors; ASan's and UBSan's reports stop the test that ran into them.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIK_SANITIZE=ON -DTRELVIK_WERROR=ON \
    -DTRELVIK_BUILD_BENCH=OFF >/dev/null &&
    cmake --build build-asan -j2 &&
    ctest --test-dir build-asan -j2 --output-on-failure --timeout 300 --label-exclude package
)

stage "build and tests (build/)" normal
stage "sanitizer tests (build-asan/)" sanitized
stage "fuzzing, 15 s a target (build-fuzz/)" scripts/fuzz.sh 15
stage "static checks (build-lint/)" scripts/lint.sh
stage "Windows build under Wine (build-win/)" scripts/wine-test.sh

echo "==== summary"
printf '%s\n' "${summary[@]}"
exit "$failed"
