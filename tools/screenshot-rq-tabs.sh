#!/usr/bin/env bash
# Builds the window and, on a virtual X display, saves the tabs "Инициализация RQ" and
# "Текущие параметры RQ" after their "Считать" has read the demo RQ-7 unit (the window as
# `vrx-service --demo RQ-7 --service` shows it):
#   tools/screenshot-rq-tabs.sh [OUTPUT_DIR]   (default: /tmp/rq-tabs)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/rq-tabs}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target rq7_tabs_screenshot >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/rq7_tabs_screenshot" "$out"
ls "$out"
