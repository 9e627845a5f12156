#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the shared library and the
# example application, makes the sample database from
# examples/data/sample.sql and prints its report to a text file, an export
# file and the PDF printer. BUILD_DIR chooses the build directory (build);
# the outputs go to $BUILD_DIR/examples/output. Running it again rebuilds
# the same database and overwrites the same outputs. TRX_PRINTER names a
# further printer (a CUPS printer) that gets the report too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target tabrix_example
work="$build/examples"
db="$work/sample.db"
rm -f "$db.tmp"
sqlite3 "$db.tmp" < examples/data/sample.sql
mv -f "$db.tmp" "$db"
# Qt keeps its runtime files in a private directory; a machine without a
# desktop session has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$PWD/$work/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi
echo "printing the products of $db:"
"$work/tabrix_example" "$db" "$work/output" ${TRX_PRINTER:+"$TRX_PRINTER"}
