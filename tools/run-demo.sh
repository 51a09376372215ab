#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window in demo mode: an emulated instrument
# (default VRX-L13-2.2) served on a pseudo-terminal behind COM1. Without a display it runs the
# command-line companion's main job against the same emulator instead (identify the instrument
# and read its settings image).
set -euo pipefail
cd "$(dirname "$0")/.."
# Without locale variables the C library is ASCII-only: take the UTF-8 locale it always has.
[ -n "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ] || export LANG=C.UTF-8
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRX_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
type="${1:-VRX-L13-2.2}"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/vrx-service --demo "$type"
fi
echo "no display: running the command-line companion against the emulated $type"
build/src/app/vrxctl --demo "$type" identify
build/src/app/vrxctl --demo "$type" settings
