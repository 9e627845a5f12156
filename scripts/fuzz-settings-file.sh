#!/usr/bin/env bash
# Builds the settings-file fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for the given seconds (default
# 300), starting from the corpus in tests/fuzz/corpus/settings_file. New
# inputs go to $BUILD_DIR/corpus; copy the interesting ones into the corpus
# directory, where the main build's tests run them.
# BUILD_DIR and JOBS choose the build directory and the parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-fuzz}"
seconds="${1:-300}"
cmake -S tests/fuzz -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target settings_file_fuzzer
mkdir -p "$build/corpus"
"$build/settings_file_fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
    "$build/corpus" tests/fuzz/corpus/settings_file
