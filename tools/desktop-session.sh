#!/usr/bin/env bash
# Runs a program on a virtual X screen of its own, with the openbox window manager, the
# way a learner's desktop frames and focuses windows:
#   desktop-session.sh [--no-wm] WIDTHxHEIGHT PROGRAM [ARGUMENTS...]
# The server picks a free display, so several sessions can run side by side. Exits with
# the program's status.
set -euo pipefail
wm=openbox
if [ "${1:-}" = "--no-wm" ]; then wm=none; shift; fi
size=$1
shift
for tool in Xvfb xprop $([ "$wm" = none ] || echo openbox); do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run bash tools/install-deps.sh" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
# Ends the server and the window manager started so far.
stop_desktop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  pids=()
}
cleanup() {
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

# Starts the server and the window manager; false (with their logs on stderr) when either
# did not come up. On a busy machine a server has been seen to lose its socket while
# starting, so the caller tries twice.
start_desktop() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  # On a busy machine the server may take a moment more to take connections.
  for _ in $(seq 200); do xprop -root >/dev/null 2>&1 && break; sleep 0.05; done
  [ "$wm" = openbox ] || return 0
  HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  # The window manager is up once it has announced itself on the root window.
  for _ in $(seq 400); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  cat "$work/openbox.log" >&2
  echo "openbox did not start" >&2
  return 1
}
if ! start_desktop; then
  stop_desktop
  echo "trying a new X server once more" >&2
  start_desktop || exit 1
fi

export QT_QPA_PLATFORM=xcb ORVANTH_DESKTOP_WM="$wm"
status=0
"$@" || status=$?
exit "$status"
