#!/usr/bin/env bash
# The report benchmark: makes two SQLite tables of 1,000,000 rows (once,
# from bench/report_table.sql): one of ASCII text, one with texts in several
# scripts. Then, for each table, times the export and a text-file report of
# it against the sqlite3 shell's CSV and box output of the same table, each
# job a process of its own: wall time, rows per second, peak memory and the
# ratio ours / shell's (of the best times, and the median of the runs'
# ratios); last, the byte identity of the outputs at 50,000 rows
# (bench/report-identity.sh). BUILD_DIR chooses the build directory (build-bench);
# BENCH_ROWS another number of rows (for quicker comparisons); KEEP_OUTPUT=1
# keeps the four output files of the last table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench_report_vs_sqlite >/dev/null
work="$build/bench/report-vs-sqlite"
mkdir -p "$work"
rows="${BENCH_ROWS:-1000000}"
db="$work/orders-$rows.db"
if [ ! -f "$db" ] || [ bench/report_table.sql -nt "$db" ]; then
  echo "making the tables ($rows rows each)..."
  rm -f "$db" "$db.tmp"
  sed "s/i < 1000000/i < $rows/" bench/report_table.sql | sqlite3 "$db.tmp"
  mv "$db.tmp" "$db"
fi
echo "machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p' | head -1)," \
     "$(free -g | awk '/^Mem:/ {print $2}') GB memory; sqlite3 $(sqlite3 --version | cut -d' ' -f1)"
status=0
for table in orders orders_mixed; do
  echo
  "$build/bench/bench_report_vs_sqlite" compare "$db" "$table" "$work" || status=$?
done
echo
BUILD=0 BUILD_DIR="$build" bench/report-identity.sh || status=$?
[ "${KEEP_OUTPUT:-0}" = 1 ] || rm -f "$work"/report.csv "$work"/report.txt "$work"/shell.csv "$work"/shell.txt
exit $status
