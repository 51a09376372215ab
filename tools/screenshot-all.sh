#!/usr/bin/env bash
# Builds the window and, on a virtual X display, draws every tab and dialog against emulated
# instruments (a VRX-L13-2.2 with an interface module, an RQ-7 unit), each at its least size and
# at 1280×1000, one PNG file each (NAME-least.png, NAME-1280x1000.png):
#   tools/screenshot-all.sh [OUTPUT_DIR]   (default: /tmp/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/screenshots}"
build="${BUILD_DIR:-build}"
mkdir -p "$out"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target screenshot_all >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1200x24" \
  "$build/tools/screenshots/screenshot_all" "$out"
ls "$out"
