#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test: once in the plain build
# (with the exchange-timing benchmark) and once with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
# Without locale variables the C library is ASCII-only: take the UTF-8 locale it always has.
[ -n "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ] || export LANG=C.UTF-8
tools/install-deps.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

rm -rf build-test build-asan
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVRX_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The fuzz targets of the decoders, a bounded number of inputs each.
tools/run-fuzz.sh
