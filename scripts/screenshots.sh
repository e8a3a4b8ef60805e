#!/usr/bin/env bash
# Retakes the README's screenshots in docs/: the console against the simulator on a virtual
# display, connected, polling sensor 1 and showing the table of "Sensor 3". Needs what
# scripts/install-deps.sh installs plus ImageMagick and xdotool (apt-get install imagemagick
# xdotool). Run it from a build made by scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${TRELVIK_SHOTS_INSIDE:-}" ]; then
  TRELVIK_SHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 800x640x24" "$0" "$@"
fi

line=/tmp/trelvik-shots-line
rm -f "$line"
build/tools/sim/trelvik-sim --link "$line" --no-drift >/tmp/trelvik-shots-sim.log 2>&1 &
sim=$!
build/src/console/trelvik-console &
console=$!
trap 'kill "$console" "$sim" 2>/dev/null || true' EXIT

until xdotool search --name "Trelvik Display" >/dev/null 2>&1 && [ -e "$line" ]; do sleep 0.1; done
sleep 0.5
click() { xdotool mousemove "$1" "$2" click --repeat "${3:-1}" 1; sleep 0.3; }
shot() { import -window root -crop 625x583+0+0 +repage "docs/$1"; }

# Without a window manager the window's client area sits at the screen's corner.
click 112 20                     # page "Основное"
click 136 82 3                   # the port box, its text selected (triple click)
xdotool type --delay 30 "$line"
click 228 84                     # "Подключить"
click 376 212                    # "Блокировка": poll the selected sensor
click 198 20                     # page "Калибровка"
click 144 82; xdotool key Escape; sleep 0.3
xdotool key --delay 300 Down Down               # "Sensor 3"
click 552 450; xdotool key --delay 300 Down     # address 1
sleep 3                          # a few ticks: identity, table, live values
shot console-calibration.png
click 112 20
sleep 0.5
shot console-main.png
