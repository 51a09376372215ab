#!/usr/bin/env bash
# Builds the window and lets it poll the demo instrument every 2 s with the trend chart shown, on
# a virtual X display, for MINUTES minutes (default 10); ends with the line
#   RSS start N MB, end M MB; CPU between readouts X%
#   tools/watch-demo.sh [MINUTES] [TYPE]   (TYPE default VRX-L13-2.2)
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-10}"
type="${2:-VRX-L13-2.2}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target watch_demo >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/watch_demo" "$minutes" "$type"
