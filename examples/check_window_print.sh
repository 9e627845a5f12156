#!/usr/bin/env bash
# Test of the example as a desktop program: without a display
# scripts/run-example.sh --window says so; on an X display of its own
# (Xvfb) it runs with the built-in user who clicks Print, picks the "Text
# File" destination in the "Report Options" dialog, prints and exits. The
# text file holds the report. Arguments: the source directory, the build
# directory and its build type. Exits with 77 (the test is skipped) only
# when xvfb-run is missing.
set -euo pipefail
source_dir="$1"
export BUILD_DIR="$2" BUILD_TYPE="$3"
fail() { echo "FAILED: $*"; exit 1; }
# Without a display the script says so in one line, and fails.
if said="$(env -u DISPLAY -u WAYLAND_DISPLAY "$source_dir/scripts/run-example.sh" --window 2>&1)"; then
  fail "--window without a display succeeded"
fi
[ "$(wc -l <<< "$said")" = 1 ] && grep -q "no display" <<< "$said" || fail "--window without a display said: $said"
if ! command -v xvfb-run > /dev/null; then
  echo "SKIPPED: xvfb-run is missing (scripts/install-deps.sh installs it)"
  exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" TRX_WINDOWS_DIR="$work"
unset DISPLAY WAYLAND_DISPLAY
xvfb-run -a -s "-screen 0 1024x768x24" "$source_dir/scripts/run-example.sh" --window --print-text "$work/stock.txt" \
  > "$work/said.txt" 2>&1 || { cat "$work/said.txt"; echo "FAILED: the window's run failed"; exit 1; }
cat "$work/said.txt"
grep -q "^Stock list: completed (12 pages)$" "$work/said.txt" || fail "the print through the dialog did not complete"
# The column titles under an IBM line-drawing top border, then the products.
grep -q "┌────┬────┬" "$work/stock.txt" || fail "no top border in the text file"
grep -Eq "│ +# │ id │ +name +│ price │ +received │ +notes +│" "$work/stock.txt" || fail "no column titles in the text file"
grep -q "Claw hammer, medium" "$work/stock.txt" || fail "a product is missing from the text file"
[ "$(grep -c "Work gloves" "$work/stock.txt")" = 25 ] || fail "the text file does not hold every pair of work gloves"
echo "window print checked"
