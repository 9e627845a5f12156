#!/usr/bin/env bash
# Stress test of the shared settings file: 8 processes saving and loading
# their own reports 100 times each into one settings file, waiting for each
# other on the real clock, then 500 rounds of a process killed (SIGKILL) at
# a random moment while it saves. Sizes: PROCESSES, SAVES, KILLS;
# REAL_CLOCK=0 lets the processes wait on a clock that only yields.
# BUILD_DIR and JOBS choose the build directory and the parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target test_storage
TRX_STRESS_PROCESSES="${PROCESSES:-8}" TRX_STRESS_SAVES="${SAVES:-100}" TRX_STRESS_KILLS="${KILLS:-500}" \
TRX_STRESS_REAL_CLOCK="${REAL_CLOCK:-1}" \
  "$build/tests/test_storage" --gtest_filter='MultiProcess.*'
