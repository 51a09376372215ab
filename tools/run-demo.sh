#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tool's main job against the built-in emulated
# instrument: identify a VRX-L13-2.2 and read its settings image.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRX_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
type="${1:-VRX-L13-2.2}"
build/src/cli/vrxctl --demo "$type" identify
build/src/cli/vrxctl --demo "$type" settings
