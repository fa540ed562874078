#!/usr/bin/env bash
# Installs what is needed, builds the application and starts it. Without a display it
# says so and shows the start screen on a virtual display instead, saving a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/orvanth
fi
echo "No display: running on a virtual display (Xvfb) and saving a screenshot of the start screen."
out="$PWD/build/start-screen.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  build/bin/orvanth & app=$!
  sleep 6
  import -window root "$0"
  kill $app 2>/dev/null || true
' "$out"
echo "$out"
