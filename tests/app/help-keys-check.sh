#!/usr/bin/env bash
# Runs under xvfb-run (tools/check-package.sh runs it in the installed root): starts
# `vrx-service --demo` and expects F1 to open the help window ("Справка — ...") and F2 the
# picture window of the selected scheme ("Схема N"), which the program can only do when it
# finds the help file and the pictures in its data folder. Every failure says why and shows
# the program's log.
#   help-keys-check.sh [PROGRAM]   (default: vrx-service on PATH)
set -euo pipefail
exe="${1:-vrx-service}"
source "$(dirname "$0")/demo-session.sh"
start_demo "$exe"

# Waits up to 30 s for a visible window of the program whose title starts with $1, and sets
# window and title. Titles are compared byte for byte, not as xdotool patterns, which it
# matches in the current locale.
wait_window() {
  local deadline=$((SECONDS + 30)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$pid" 2>/dev/null || fail "vrx-service exited while waiting for \"$1...\""
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
      title="$(xdotool getwindowname "$id")"
      window="$id"
      [[ "$title" != "$1"* ]] || return 0
    done
    sleep 0.2
  done
  fail "no window \"$1...\" within 30 s"
}

wait_window 'VRX-Сервис'
main="$window"
for key_title in 'F1:Справка —' 'F2:Схема '; do
  key="${key_title%%:*}"
  xdotool windowfocus --sync "$main"
  xdotool key "$key"
  wait_window "${key_title#*:}"
  echo "$key: $title"
done
