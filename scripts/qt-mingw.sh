#!/usr/bin/env bash
# Builds the Qt that scripts/windows.sh builds against, from source: Qt 6.4.2 (Qt Base,
# Serial Port, Svg) for 64-bit Windows with Debian's mingw-w64, release, shared DLLs,
# installed into QT_MINGW_PREFIX (default build-win/qt6-mingw). About an hour on two
# cores; CI uses the prebuilt one instead. Then: QT_MINGW_PREFIX=... scripts/windows.sh
#
# Qt Base is Debian's source package qt6-base 6.4.2+dfsg-10 (apt-get source; needs a
# deb-src line for bookworm), patched for a Qt without OpenGL; Serial Port and Svg are
# their 6.4.2 sources, taken from QT_SOURCES (default ../shared/windows) when there,
# else downloaded from download.qt.io.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=${QT_MINGW_PREFIX:-$root/build-win/qt6-mingw}
sources=${QT_SOURCES:-$root/../shared/windows}
work=$root/build-win/qt-source
cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DQT_MINGW_PREFIX="$prefix"
       -DCMAKE_BUILD_TYPE=Release -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
mkdir -p "$work"
cd "$work"

if [ ! -d qtbase-everywhere-src-6.4.2 ]; then
  apt-get source qt6-base=6.4.2+dfsg-10
  mv qt6-base-6.4.2+dfsg qtbase-everywhere-src-6.4.2
  patch -p1 <"$root/cmake/qtbase-6.4.2-mingw-no-opengl.patch"
fi
# Not needed by the console, or not buildable from these sources with mingw: Debian's
# repacked source lacks the Wintab headers, and Print Support does not link in 6.4.2.
cmake -S qtbase-everywhere-src-6.4.2 -B qtbase-build "${cross[@]}" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_testlib=ON -DFEATURE_printsupport=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF -DFEATURE_direct2d=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF
cmake --build qtbase-build
cmake --install qtbase-build

for module in qtserialport qtsvg; do
  if [ ! -d "$module-6.4.2" ]; then
    if [ -f "$sources/$module-6.4.2.tar.xz" ]; then
      tar xJf "$sources/$module-6.4.2.tar.xz"
    else
      curl -fL "https://download.qt.io/archive/qt/6.4/6.4.2/submodules/$module-everywhere-src-6.4.2.tar.xz" | tar xJ
      mv "$module-everywhere-src-6.4.2" "$module-6.4.2"
    fi
  fi
  cmake -S "$module-6.4.2" -B "$module-build" "${cross[@]}" -DCMAKE_PREFIX_PATH="$prefix"
  cmake --build "$module-build"
  cmake --install "$module-build"
done
echo "Qt for mingw-w64 in $prefix"
