#!/usr/bin/env bash
# Installs what is needed, builds the application and starts it. Without a display it
# says so and plays the whole course on the offscreen platform instead, saving a picture
# of every step with an index page to open in a browser.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/orvanth
fi
echo "No display: playing the course offscreen and saving every step as a picture."
out="$PWD/build/tour"
rm -rf "$out"
build/bin/orvanth-tour --out "$out" --scale 1.5
echo "$out/index.html"
