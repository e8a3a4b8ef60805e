#!/usr/bin/env bash
# Cross-builds the console, trelvik-cli and the tests for 64-bit Windows in build-win/
# with mingw-w64, and packs build-win/trelvik-console-<version>-windows-x64.zip: both
# programs with the Qt DLLs and plugins they load, the compiler's runtime DLLs, Qt's
# Russian texts and the technician's guides.
#
# Qt for mingw comes from QT_MINGW_PREFIX, or else from the prebuilt tarball in
# ../shared/windows, unpacked once into build-win/qt6-mingw (scripts/qt-mingw.sh builds
# the same Qt from source). Further arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-win
tarball=${TRELVIK_QT_MINGW_TARBALL:-$root/../shared/windows/qt-6.4.2-mingw-w64.tar.xz}

qt=${QT_MINGW_PREFIX:-$out/qt6-mingw}
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  if [ -n "${QT_MINGW_PREFIX:-}" ] || [ ! -f "$tarball" ]; then
    echo "windows.sh: no Qt for mingw-w64 at $qt and no $tarball; set QT_MINGW_PREFIX (scripts/qt-mingw.sh builds one)" >&2
    exit 1
  fi
  mkdir -p "$out"
  tar xJf "$tarball" -C "$out"
fi

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi
# -O2 as in the Linux build: at -O3 mingw's GCC 12 warns falsely about overlapping copies
# inside std::string (GCC bug 105329).
cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DQT_MINGW_PREFIX="$qt" -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTRELVIK_WERROR=ON "${launcher[@]}" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh;$qt" "$@" >/dev/null
cmake --build "$out"

# The portable zip: a folder that runs where it is unpacked. Qt loads its plugins from
# folders beside the .exe; the DLLs are whatever the programs and plugins import, found
# among Qt's and the compiler's (the system's own DLLs are not found there and stay out).
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
name=trelvik-console-$version-windows-x64
stage=$out/package/$name
rm -rf "$out/package" "$out/$name.zip"
mkdir -p "$stage"
cp "$out/trelvik-console.exe" "$out/trelvik-cli.exe" "$stage/"
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qsvg.dll iconengines/qsvgicon.dll)
for plugin in "${plugins[@]}"; do
  mkdir -p "$stage/$(dirname "$plugin")"
  cp "$qt/plugins/$plugin" "$stage/$plugin"
done
cxx=x86_64-w64-mingw32-g++-posix
dll_dirs=("$qt/bin" "$(dirname "$($cxx -print-file-name=libstdc++-6.dll)")"
          "$(dirname "$($cxx -print-file-name=libwinpthread-1.dll)")")
pending=("$stage"/*.exe "${plugins[@]/#/$stage/}")
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    [ -e "$stage/$dll" ] && continue
    for dir in "${dll_dirs[@]}"; do
      if [ -f "$dir/$dll" ]; then
        cp "$dir/$dll" "$stage/"
        pending+=("$stage/$dll")
        break
      fi
    done
  done
done
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll
# Qt's own texts (standard buttons, file dialogs, the serial port's own messages) for a Russian
# console: the programs look for them in a translations folder beside them. The mingw Qt
# has none of its own; the files are the same for every system (neither loads another
# catalogue).
qt_texts=${TRELVIK_QT_TRANSLATIONS:-/usr/share/qt6/translations}
mkdir -p "$stage/translations"
for qm in qtbase_ru.qm qtserialport_ru.qm; do
  [ -f "$qt_texts/$qm" ] || { echo "windows.sh: no $qt_texts/$qm (apt install qt6-translations-l10n)" >&2; exit 1; }
  cp "$qt_texts/$qm" "$stage/translations/"
done
# Text files with Windows line ends, so that any editor shows their lines.
crlf() { sed 's/\r$//; s/$/\r/'; }
sed "s/@VERSION@/$version/g" cmake/windows-readme.txt | crlf >"$stage/README.txt"
crlf <docs/guide-ru.md >"$stage/guide-ru.md"
crlf <docs/guide-en.md >"$stage/guide-en.md"
(cd "$out/package" && zip -q -r -X "../$name.zip" "$name")
echo "$out/$name.zip"
