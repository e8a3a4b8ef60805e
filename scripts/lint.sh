#!/usr/bin/env bash
# Static checks over src/, tools/ and cli/: clang-tidy with the checks in .clang-tidy, then
# cppcheck (warnings, performance, portability). Uses the compile commands of a clang
# configuration in build-lint/ (configured only, nothing is built). Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."

CC=clang CXX=clang++ cmake -S . -B build-lint -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DTRELVIK_BUILD_TESTS=OFF -DTRELVIK_BUILD_BENCH=OFF >/dev/null

# Our sources only: generated files (moc, resources) are neither ours nor there yet.
mkdir -p build-lint/ours
python3 - "$PWD" <<'PY'
import json, sys
root = sys.argv[1]
entries = json.load(open("build-lint/compile_commands.json"))
ours = [e for e in entries if e["file"].startswith((root + "/src/", root + "/tools/", root + "/cli/"))]
json.dump(ours, open("build-lint/ours/compile_commands.json", "w"), indent=1)
print(f"lint: {len(ours)} source files")
PY

status=0
echo "== clang-tidy"
run-clang-tidy -quiet -p build-lint/ours -j 2 >build-lint/clang-tidy.log 2>&1 || status=1
# The findings without the progress lines and the colour codes.
findings=$(sed 's/\x1b\[[0-9;]*m//g' build-lint/clang-tidy.log | grep -E '^/.*: (warning|error): ' | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  status=1
elif [ "$status" -ne 0 ]; then
  cat build-lint/clang-tidy.log
fi

echo "== cppcheck"
cppcheck --project=build-lint/ours/compile_commands.json --enable=warning,performance,portability \
  --library=qt --std=c++20 --inline-suppr --suppress=missingIncludeSystem --error-exitcode=1 -q -j 2 \
  --cppcheck-build-dir=build-lint --template='{file}:{line}: {severity}: {message} [{id}]' || status=1

[ "$status" -eq 0 ] && echo "lint: no findings"
exit "$status"
