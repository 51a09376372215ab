#!/usr/bin/env bash
# Runs under xvfb-run: starts `vrx-service --demo` on the virtual display, waits for the main
# window, checks the status line of the demo port, presses "Выход" and expects a clean exit.
set -euo pipefail
exe="$1"

work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Settings of its own, so the demo port COM1 is the one selected.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LOGGING_RULES="vrx.app.debug=true"
export QT_QPA_PLATFORM=xcb

"$exe" --demo >"$work/log" 2>&1 &
pid=$!

window="$(timeout 30 xdotool search --sync --onlyvisible --name '^VRX-Сервис 1\.3$' | head -n 1)"
if [ -z "$window" ]; then
  echo "the main window did not appear"; cat "$work/log"; exit 1
fi

if ! grep -Eq 'port status: COM1 → /dev/pts/[0-9]+ \(демо: VRX-L13-2\.2\)$' "$work/log"; then
  echo "no demo status line"; cat "$work/log"; exit 1
fi

# "Выход" is 75 x 25 at the right end of the 34-pixel strip, 8 pixels from the edge.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH - 8 - 37)) 17 click 1

for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "vrx-service did not exit on \"Выход\""; cat "$work/log"; exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
if [ "$status" -ne 0 ]; then
  echo "vrx-service exited with $status"; cat "$work/log"; exit 1
fi
echo "demo window shown and closed with \"Выход\""
