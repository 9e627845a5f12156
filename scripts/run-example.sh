#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the shared library and the
# example application, makes the sample database from
# examples/data/sample.sql and prints its report to a text file, an export
# file and the PDF printer. BUILD_DIR chooses the build directory (build),
# BUILD_TYPE its build type (RelWithDebInfo; set but empty: none);
# the outputs go to $BUILD_DIR/examples/output. Running it again rebuilds
# the same database and overwrites the same outputs. TRX_PRINTER names a
# further printer (a CUPS printer) that gets the report too.
#
# With --window it opens the example as a desktop program on your display
# instead: the stock list in a window whose Print button opens the "Report
# Options" dialog; its settings file is the one of $BUILD_DIR/examples/output.
# Further arguments go to the program (see examples/stock_window.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
window=0
if [ "${1:-}" = "--window" ]; then
  window=1
  shift
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-example.sh --window: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
    exit 1
  fi
fi
scripts/install-deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE-RelWithDebInfo}" >/dev/null
target=tabrix_example
[ "$window" = 1 ] && target=tabrix_stock_window
cmake --build "$build" -j"$(nproc)" --target "$target"
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
if [ "$window" = 1 ]; then
  # The display's platform, not the offscreen one a test environment may set.
  [ "${QT_QPA_PLATFORM:-}" = offscreen ] && unset QT_QPA_PLATFORM
  echo "showing the products of $db"
  exec "$work/tabrix_stock_window" "$db" "$work/output" "$@"
fi
echo "printing the products of $db:"
"$work/tabrix_example" "$db" "$work/output" ${TRX_PRINTER:+"$TRX_PRINTER"}
