#!/usr/bin/env bash
# Builds the companion and writes both documents of the demo instrument, the settings protocol
# and the report of the current values, then draws the first page of each as a picture:
#   tools/screenshot-documents.sh [DIR] [TYPE]   (default: /tmp/documents, VRX-L13-2.2)
# DIR gets settings.pdf, current.pdf, settings-1.png and current-1.png. The companion lays the
# documents out on Qt's offscreen platform, so no display is needed; pdftoppm is poppler-utils'.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/documents}"
type="${2:-VRX-L13-2.2}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target vrxctl >/dev/null
mkdir -p "$out"
vrxctl="$build/src/app/vrxctl"
"$vrxctl" --demo "$type" settings --pdf "$out/settings.pdf"
"$vrxctl" --demo "$type" current --pdf "$out/current.pdf"
for document in settings current; do
  pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$out/$document.pdf" "$out/$document-1"
done
ls "$out"
