#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test: once in the plain build
# (with the exchange-timing benchmark) and once with AddressSanitizer and UBSan, then the bounded
# fuzzing of every decoder. Each phase's time is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
# Without locale variables the C library is ASCII-only: take the UTF-8 locale it always has.
[ -n "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ] || export LANG=C.UTF-8
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

phases=()
# Runs a phase (its name, then the command) and keeps its time for the summary.
phase() {
  local name="$1" start=$SECONDS
  shift
  "$@"
  phases+=("$(printf '%-18s %5d s' "$name" $((SECONDS - start)))")
}
summary() {
  echo "phase times:"
  printf '  %s\n' "${phases[@]}"
  printf '  %-18s %5d s\n' total "$SECONDS"
}
trap summary EXIT

phase install tools/install-deps.sh --fuzz
rm -rf build-test build-asan
# The plain build without debug information: a third faster to compile and link; the sanitizer
# build keeps it for its reports.
phase "plain build" eval 'cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release &&
  cmake --build build-test -j"$jobs"'
phase "plain tests" ctest --test-dir build-test --output-on-failure -j"$jobs"

phase "sanitizer build" eval 'cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVRX_SANITIZE=ON &&
  cmake --build build-asan -j"$jobs"'
phase "sanitizer tests" env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The fuzz targets of the decoders, a bounded number of inputs each (their build included).
phase fuzzing tools/run-fuzz.sh
