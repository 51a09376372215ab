#!/usr/bin/env bash
# Builds the window and draws the tab "Инициализация VRX" at the window's minimum size on a
# virtual X display, after "Считать" has read an emulated instrument:
#   tools/screenshot-init-tab.sh [OUTPUT.png] [TYPE] [--iface | --current | --save-template]
#   (defaults: /tmp/init-tab.png VRX-L13-2.2; the option draws another tab or the file dialog of
#   "Сохранить шаблон…", as init_tab_screenshot says)
# The window runs under C.UTF-8, a locale that is not Russian: numbers and Qt's own texts are
# Russian all the same.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/init-tab.png}"
type="${2:-VRX-L13-2.2}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target init_tab_screenshot >/dev/null
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/init_tab_screenshot" "$out" "$type" "${@:3}"
