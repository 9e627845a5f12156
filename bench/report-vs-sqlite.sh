#!/usr/bin/env bash
# The report benchmark: makes a SQLite table of 1,000,000 rows (once, from
# bench/report_table.sql), then times the export and a text-file report of
# it against the sqlite3 shell's CSV and box output of the same table, each
# job a process of its own: wall time, rows per second, peak memory and the
# ratio ours / shell's. BUILD_DIR chooses the build directory (build-bench);
# KEEP_OUTPUT=1 keeps the four output files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench_report_vs_sqlite >/dev/null
work="$build/bench/report-vs-sqlite"
mkdir -p "$work"
db="$work/orders.db"
if [ ! -f "$db" ] || [ bench/report_table.sql -nt "$db" ]; then
  echo "making the table (1,000,000 rows)..."
  rm -f "$db" "$db.tmp"
  sqlite3 "$db.tmp" < bench/report_table.sql
  mv "$db.tmp" "$db"
fi
echo "machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p' | head -1)," \
     "$(free -g | awk '/^Mem:/ {print $2}') GB memory; sqlite3 $(sqlite3 --version | cut -d' ' -f1)"
status=0
"$build/bench/bench_report_vs_sqlite" compare "$db" orders "$work" || status=$?
[ "${KEEP_OUTPUT:-0}" = 1 ] || rm -f "$work"/report.csv "$work"/report.txt "$work"/shell.csv "$work"/shell.txt
exit $status
