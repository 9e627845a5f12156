#!/usr/bin/env bash
# The report benchmark: makes two SQLite tables of 1,000,000 rows (once,
# from bench/report_table.sql): one of ASCII text, one with texts in several
# scripts. Then, for each table, times the export and a text-file report of
# it against the sqlite3 shell's CSV and box output of the same table, each
# job a process of its own: wall time, rows per second, peak memory and the
# ratio ours / shell's. BUILD_DIR chooses the build directory (build-bench);
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
# The export's bytes must not change when it is made faster: its output of
# both tables at 50,000 rows against the checksums of the output the export
# gave before (the same files as bench_report_vs_sqlite export writes).
check_export_bytes() {
  local db="$work/orders-50000.db" table sum want ok=0
  if [ ! -f "$db" ] || [ bench/report_table.sql -nt "$db" ]; then
    rm -f "$db" "$db.tmp"
    sed "s/i < 1000000/i < 50000/" bench/report_table.sql | sqlite3 "$db.tmp"
    mv "$db.tmp" "$db"
  fi
  echo
  for table in orders orders_mixed; do
    case $table in
      orders) want=a5daaf0ffbdfb1c191e498e7701963b19edfa11e501419de590bb7940c560f7e ;;
      orders_mixed) want=e072f1851613364524487305506a66029d833f5f8071d572d9fad7e448d4c62f ;;
    esac
    "$build/bench/bench_report_vs_sqlite" export "$db" "$table" "$work/identity.csv"
    sum=$(sha256sum "$work/identity.csv" | cut -d' ' -f1)
    if [ "$sum" = "$want" ]; then
      echo "export of $table, 50,000 rows: byte-identical"
    else
      echo "export of $table, 50,000 rows: CHANGED (sha256 $sum)"
      ok=1
    fi
    rm -f "$work/identity.csv"
  done
  return $ok
}

status=0
for table in orders orders_mixed; do
  echo
  "$build/bench/bench_report_vs_sqlite" compare "$db" "$table" "$work" || status=$?
done
check_export_bytes || status=1
[ "${KEEP_OUTPUT:-0}" = 1 ] || rm -f "$work"/report.csv "$work"/report.txt "$work"/shell.csv "$work"/shell.txt
exit $status
