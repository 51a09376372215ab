#!/usr/bin/env bash
# Builds the calibration dialogs and, on a virtual X display, saves both during a check run
# against an emulated VRX-L13-2.2: the temperature dialog with a deviation cell above its
# threshold, the pressure dialog with three samples of a 12 mA loop.
#   tools/screenshot-calibration.sh [OUTPUT_DIR]   (default: /tmp/calibration-shots)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/calibration-shots}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target calibration_screenshots >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/calibration_screenshots" "$out"
ls "$out"
