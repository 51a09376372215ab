#!/usr/bin/env bash
# Builds the journal dialog and draws it on a virtual X display with three records of an emulated
# instrument, the newest selected with its blocks shown:
#   tools/screenshot-journal.sh [OUTPUT.png]   (default: /tmp/journal.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/journal.png}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target journal_screenshot >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/journal_screenshot" "$out"
