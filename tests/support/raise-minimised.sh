#!/usr/bin/env bash
# On a desktop with a window manager (run it through tools/desktop-session.sh): starts the
# application, minimises its window, starts it a second time and checks that the second
# start ended with 0 and the first copy's window is back on the screen and active.
#   raise-minimised.sh PROGRAM
set -euo pipefail
app=$1
export QT_QPA_PLATFORM=xcb
"$app" &
first=$!
trap 'kill "$first" 2>/dev/null || true; wait "$first" 2>/dev/null || true' EXIT

fail() {
  echo "raise-minimised: $*" >&2
  exit 1
}
hidden() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; }

win=""
for _ in $(seq 300); do
  win=$(xdotool search --onlyvisible --pid "$first" 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  sleep 0.05
done
[ -n "$win" ] || fail "the first copy showed no window"
sleep 0.5 # its opening animation is under way; the window manager has framed it

xdotool windowminimize --sync "$win"
hidden "$win" || fail "the window did not minimise"

set +e
timeout 20 "$app"
status=$?
set -e
[ "$status" -eq 0 ] || fail "the second start ended with $status"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

for _ in $(seq 100); do
  if ! hidden "$win" && [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$win" ]; then
    echo "raise-minimised: the first copy's window is back and active"
    exit 0
  fi
  sleep 0.05
done
hidden "$win" && fail "the window is still minimised"
fail "the window is back but not active (active: $(xdotool getactivewindow 2>/dev/null || echo none))"
