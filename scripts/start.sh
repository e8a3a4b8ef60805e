#!/usr/bin/env bash
# Builds, starts the device simulator on a pseudo-terminal linked at /tmp/trelvik-line and
# starts the console with that path in its port box: press "Подключить" to connect.
# Closing the console stops the simulator; its log is in /tmp/trelvik-sim.log.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'TEXT'
No display to show the console on. On a machine without a screen, run it under a virtual
one (installed by scripts/install-deps.sh) and look at it with a screenshot or a VNC viewer:

  xvfb-run -a -s "-screen 0 1024x768x24" scripts/start.sh
TEXT
  exit 2
fi

scripts/build.sh
line=/tmp/trelvik-line
log=/tmp/trelvik-sim.log
rm -f "$line"
build/tools/sim/trelvik-sim --link "$line" >"$log" 2>&1 &
sim=$!
trap 'kill "$sim" 2>/dev/null || true' EXIT
# The simulator prints its line's path first; wait until it is there.
for _ in $(seq 100); do [ -e "$line" ] && break; sleep 0.05; done
[ -e "$line" ] || { echo "The simulator did not start; see $log" >&2; exit 1; }

echo "Simulator running: sensors 1, 2 and 5 and the display unit (password 12345)."
echo "In the console, open the tab \"Основное\" and press \"Подключить\": $line is in the port box already."
build/src/console/trelvik-console --port "$line"
