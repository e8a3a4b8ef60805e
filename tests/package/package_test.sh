#!/usr/bin/env bash
# package_test.sh BUILD_DIR SCRATCH_DIR VERSION
# Builds the .deb with cpack from BUILD_DIR, unpacks it into SCRATCH_DIR/root, checks its
# control fields and files, and starts the unpacked programs: the console offscreen with
# --quit-after-start, which must come up and exit with status 0, and the command-line tool.
set -euo pipefail
build=$1 scratch=$2 version=$3

command -v dpkg-deb >/dev/null || { echo "dpkg-deb is not installed: skipped"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack"; }
debs=("$scratch"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
echo "package: $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = trelvik-console ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version-1" ] || fail "Version: $(field Version), project $version"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
echo "depends: $depends"
# qt6-translations-l10n: Qt's own texts (standard buttons, file dialogs) for the Russian window.
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6svg6 qt6-translations-l10n libc6 libstdc++6; do
  [[ ", $depends," == *", $lib"[\ ,]* ]] || fail "Depends lacks $lib"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/trelvik-console usr/bin/trelvik-sim usr/bin/trelvik-cli; do
  [ -x "$root/$f" ] || fail "$f missing or not executable"
done
for f in usr/share/icons/hicolor/scalable/apps/trelvik-console.svg usr/share/applications/trelvik-console.desktop; do
  [ -s "$root/$f" ] || fail "$f missing"
done
# The technician's guides, each in its own language.
for lang in ru en; do
  guide=$root/usr/share/doc/trelvik-console/guide-$lang.md
  [ -s "$guide" ] || fail "guide-$lang.md missing"
done
grep -q 'Тарировка бака' "$root/usr/share/doc/trelvik-console/guide-ru.md" || fail "guide-ru.md is not the Russian guide"
grep -q 'Taring a tank' "$root/usr/share/doc/trelvik-console/guide-en.md" || fail "guide-en.md is not the English guide"
grep -qx 'Exec=trelvik-console' "$root/usr/share/applications/trelvik-console.desktop" || fail "desktop entry's Exec"
grep -qx 'Icon=trelvik-console' "$root/usr/share/applications/trelvik-console.desktop" || fail "desktop entry's Icon"
# Nothing but /usr, and nothing from the build tree.
unexpected=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -vE '^\./(usr(/.*)?)?$' || true)
[ -z "$unexpected" ] || fail "files outside /usr: $unexpected"

export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# --version answers on a machine without a display too.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$root/usr/bin/trelvik-console" --version) ||
  fail "console --version"
export QT_QPA_PLATFORM=offscreen
[ "$shown" = "trelvik-console $version" ] || fail "console --version printed: $shown"
timeout 60 "$root/usr/bin/trelvik-console" --quit-after-start >"$scratch/console.log" 2>&1 ||
  { cat "$scratch/console.log" >&2; fail "the installed console did not come up and quit cleanly (status $?)"; }
timeout 30 "$root/usr/bin/trelvik-sim" --help >/dev/null || fail "simulator --help"
[ "$(env -u DISPLAY timeout 30 "$root/usr/bin/trelvik-cli" --version)" = "trelvik-cli $version" ] || fail "trelvik-cli --version"
# Bad use is status 2, without a port or a display.
status=0; env -u TRELVIK_PORT timeout 30 "$root/usr/bin/trelvik-cli" search 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "trelvik-cli search without a port: status $status, expected 2"
echo "package ok: $(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ {print $6}' | tr '\n' ' ')"
