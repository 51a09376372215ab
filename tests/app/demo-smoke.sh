#!/usr/bin/env bash
# Runs under xvfb-run: starts `vrx-service --demo` on the virtual display, waits for the main
# window, checks the status line of the demo port, presses "Выход" and expects a clean exit.
# Every failure says why and shows the program's log.
set -euo pipefail
exe="$1"
title='VRX-Сервис 1.3'

source "$(dirname "$0")/demo-session.sh"
trap 'fail "line $LINENO: \"$BASH_COMMAND\" failed with status $?"' ERR
export QT_LOGGING_RULES="vrx.app.debug=true"
start_demo "$exe"

# The window is found by the program's process, not by a title pattern: xdotool matches
# patterns in the current locale, and the title is compared byte for byte (UTF-8) below.
window=""
deadline=$((SECONDS + 30))
while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    pid=""
    fail "vrx-service exited with $status before its main window appeared"
  fi
  window="$(xdotool search --limit 1 --onlyvisible --pid "$pid" 2>/dev/null)" || sleep 0.1
done
[ -n "$window" ] || fail "the main window did not appear within 30 s"
shown="$(xdotool getwindowname "$window")"
[ "$shown" = "$title" ] || fail "the main window is titled \"$shown\", not \"$title\""

if ! grep -Eq 'port status: COM1 → /dev/pts/[0-9]+ \(демо: VRX-L13-2\.2\)$' "$work/log"; then
  fail "no demo status line"
fi

# "Выход" is 75 x 25 at the right end of the 34-pixel strip, 8 pixels from the edge.
geometry="$(xdotool getwindowgeometry --shell "$window")"
eval "$geometry"
xdotool mousemove --window "$window" $((WIDTH - 8 - 37)) 17 click 1

for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "vrx-service did not exit on \"Выход\""
fi
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "vrx-service exited with $status"
echo "demo window shown and closed with \"Выход\""
