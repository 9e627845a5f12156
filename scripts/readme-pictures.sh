#!/usr/bin/env bash
# Takes the README's pictures from the real program: the example as a
# desktop program (examples/stock_window.cpp) runs on an X display of its
# own (Xvfb), where its built-in user opens the windows one after another
# and photographs each from the screen into docs/pictures (OUT_DIR): the
# main window (both tabs), the preview, the five pages of the "Report
# Options" dialog, the progress window while a print goes on and with its
# result, the question whether to save changed settings, and the
# data-directory wizard. BUILD_DIR and JOBS choose the build directory and
# the parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" > /dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target tabrix_stock_window
out="$(realpath -m "${OUT_DIR:-docs/pictures}")"
mkdir -p "$out"
rm -f "$out"/*.png
# The program runs in a directory of its own, under a plain name: the
# wizard and the dialog show its path and its files' paths.
work="${TMPDIR:-/tmp}/tabrix-pictures"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
cp "$build/examples/tabrix_stock_window" "$work/StockList"
sqlite3 "$work/sample.db" < examples/data/sample.sql
# Qt keeps its runtime files in a private directory; Xvfb gives no session.
# The redirection file the wizard reads is kept apart from yours.
export XDG_RUNTIME_DIR="$work/runtime" TRX_WINDOWS_DIR="$work/windows"
mkdir -p "$XDG_RUNTIME_DIR" "$TRX_WINDOWS_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The display's platform, not the offscreen one a test environment may set.
unset QT_QPA_PLATFORM
# On an X display of its own with a window manager, as on a desktop.
display="$PWD/tests/screen/on_x_display.sh"
(cd "$work" && "$display" ./StockList sample.db data --pictures "$out")
ls -l "$out"/*.png
