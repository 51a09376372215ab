#!/usr/bin/env bash
# Builds the window and draws the tab "Доп. интерфейс" at the window's minimum size on a virtual
# X display, after "Прочитать" has read the demo instrument's interface module:
#   tools/screenshot-iface-tab.sh [OUTPUT.png]   (default: /tmp/iface-tab.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/iface-tab.png}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target init_tab_screenshot >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/screenshots/init_tab_screenshot" "$out" VRX-L13-2.2 --iface
