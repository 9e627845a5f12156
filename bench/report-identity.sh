#!/usr/bin/env bash
# Byte identity of the benchmark's outputs: the text-file report and the
# export of the first 50,000 rows of each benchmark table (made from
# bench/report_table.sql) must be exactly the files they have been since
# their checksums were recorded below. A change that makes the report
# faster must not change one byte of it. BUILD_DIR chooses the build
# directory (build-bench, as bench/report-vs-sqlite.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-bench}"
if [ ! -x "$build/bench/bench_report_vs_sqlite" ] || [ "${BUILD:-1}" = 1 ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
  cmake --build "$build" -j"$(nproc)" --target bench_report_vs_sqlite >/dev/null
fi
work="$build/bench/report-vs-sqlite"
mkdir -p "$work"
db="$work/orders-50000.db"
if [ ! -f "$db" ] || [ bench/report_table.sql -nt "$db" ]; then
  rm -f "$db" "$db.tmp"
  sed "s/i < 1000000/i < 50000/" bench/report_table.sql | sqlite3 "$db.tmp"
  mv "$db.tmp" "$db"
fi

# SHA-256 of each output: job, table, checksum.
expected="
text orders a1605814169bff520c42bc6865086d0ee7a0d637bb41cf36542de05545fcf71c
text orders_mixed 461b2ab8f01fb4fe1d87a49f6b16e21ba04ff2d4d04ac82a849e47ada8831490
export orders a5daaf0ffbdfb1c191e498e7701963b19edfa11e501419de590bb7940c560f7e
export orders_mixed e072f1851613364524487305506a66029d833f5f8071d572d9fad7e448d4c62f
"
status=0
echo "byte identity, 50,000 rows:"
while read -r job table sum; do
  [ -n "$job" ] || continue
  out="$work/identity-$job-$table.out"
  "$build/bench/bench_report_vs_sqlite" "$job" "$db" "$table" "$out"
  got="$(sha256sum "$out" | cut -d' ' -f1)"
  if [ "$got" = "$sum" ]; then
    echo "  $job of $table: identical"
    rm -f "$out"
  else
    echo "  $job of $table: DIFFERS (sha256 $got, kept in $out)"
    status=1
  fi
done <<<"$expected"
exit $status
