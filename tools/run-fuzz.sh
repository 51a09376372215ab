#!/usr/bin/env bash
# Builds the fuzz targets of the decoders (clang, libFuzzer, AddressSanitizer + UBSan) in
# build-fuzz/ and runs each on the corpus it has grown so far plus its seed corpus.
#
#   tools/run-fuzz.sh [TARGET...] [-- LIBFUZZER OPTIONS...]
#
# TARGET is a target's name without "fuzz-" (settings-image, current-blocks, ...); all by
# default. Without options every target runs a bounded number of inputs (what CI runs); a long
# run gives its own, e.g. `-- -runs=1000000` or `-- -max_total_time=3600`. A finding stops the
# script: the offending input is build-fuzz/crash-<target>-..., replayed by running the target
# on that file.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --fuzz
build="${VRX_FUZZ_BUILD:-build-fuzz}"

targets=()
while (($#)) && [ "$1" != -- ]; do
  targets+=("$1")
  shift
done
(($#)) && shift
options=("$@")
((${#options[@]})) || options=(-runs=4000 -seed=1)

cmake -S . -B "$build" -DVRX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
((${#targets[@]})) || targets=($(cd "$build/fuzz/seeds" && ls))

# A small quarantine and no allocation stacks: several times faster, and a finding is replayed
# with full reports anyway.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=0}"
# The file targets write every input to a file in the temporary folder: one of their own, in
# memory where there is a memory file system.
TMPDIR="$(mktemp -d -p "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")" vrx-fuzz.XXXXXX)"
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
for name in "${targets[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  echo "fuzz-$name ${options[*]}"
  "$build/fuzz/fuzz-$name" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/crash-$name-" "${options[@]}" "$corpus" "$build/fuzz/seeds/$name"
done
