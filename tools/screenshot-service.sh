#!/usr/bin/env bash
# Builds the window and draws the tab "Сервис" and its dialogs "Автокоррекция RTC", "Коррекция
# цены импульса" and "Установка счетчиков" on a virtual X display, after "Считать" against an
# emulated instrument:
#   tools/screenshot-service.sh [OUTPUT_DIR] [TYPE]   (defaults: /tmp/service VRX-L13-2.2)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/service}"
type="${2:-VRX-L13-2.2}"
build="${BUILD_DIR:-build}"
mkdir -p "$out"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target service_screenshots >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/service_screenshots" "$out" "$type"
