#!/usr/bin/env bash
# Builds the window with its help file and scheme pictures and, on a virtual X display, saves
# the help window on the topic of "Текущие параметры" (F1) and the picture windows of two
# schemes (F2) as PNG files; schemes are TYPE:POSITION in the type's scheme list (default: a
# VRX-L1 scheme with one heat circuit and a VRX-L13 scheme with two):
#   tools/screenshot-help.sh [OUTPUT_DIR [TYPE:POSITION]...]   (default: /tmp/help-shots)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/help-shots}"
shift || true
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target help_screenshot >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/help_screenshot" "$out" "$@"
ls "$out"
