#!/usr/bin/env bash
# Builds the window and draws the tab "Текущие параметры" at the window's minimum size on a
# virtual X display, after "Считать" has read the demo instrument:
#   tools/screenshot-current-tab.sh [OUTPUT.png] [TYPE]   (defaults: /tmp/current-tab.png VRX-L13-2.2)
set -euo pipefail
exec "$(dirname "$0")/screenshot-init-tab.sh" "${1:-/tmp/current-tab.png}" "${2:-VRX-L13-2.2}" --current
