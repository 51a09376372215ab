#!/usr/bin/env bash
# Builds the window and draws the tab "Текущие параметры" with its trend chart at 1280x1000 on a
# virtual X display, after the polling has read the demo instrument 50 times (its clock running
# 40 times faster, one readout failing on purpose):
#   tools/screenshot-chart.sh [OUTPUT.png] [TYPE]   (defaults: /tmp/current-chart.png VRX-L13-2.2)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/current-chart.png}"
type="${2:-VRX-L13-2.2}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target chart_screenshot >/dev/null
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/chart_screenshot" "$out" "$type"
