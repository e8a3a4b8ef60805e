#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: wine-run.sh QT_PREFIX PROGRAM.exe [ARGS].
# CTest uses it as the cross-compiling emulator. The program finds Qt's DLLs and plugins
# and the compiler's runtime DLLs through WINEPATH and QT_PLUGIN_PATH; the Wine prefix is
# WINEPREFIX (default build-win/wine), which must exist (scripts/wine-test.sh makes it).
set -euo pipefail
qt=$1
shift
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build-win/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthread")"
export QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
exec /usr/lib/wine/wine64 "$@"
