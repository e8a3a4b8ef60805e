#!/usr/bin/env bash
# Builds and starts the device simulator on a pseudo-terminal linked at /tmp/trelvik-line.
# Point the console's port box (or any serial terminal) at that path. Ctrl+C stops it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
line=/tmp/trelvik-line
echo "The simulated line is $line; type it into the port box. Ctrl+C stops the simulator."
exec build/tools/sim/trelvik-sim --link "$line"
