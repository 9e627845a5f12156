#!/usr/bin/env bash
# Test of the example application: on a fresh copy of the sample database
# it prints the stock list to the three destinations, and each output holds
# the report. Arguments: the example program and the source directory.
set -euo pipefail
example="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" TRX_WINDOWS_DIR="$work"
sqlite3 "$work/sample.db" < "$source_dir/examples/data/sample.sql"
"$example" "$work/sample.db" "$work/out" > "$work/said.txt"
cat "$work/said.txt"
fail() { echo "FAILED: $*"; exit 1; }
[ "$(grep -c completed "$work/said.txt")" = 3 ] || fail "not every output completed"
grep -q "$work/out/stock-list.pdf" "$work/said.txt" || fail "the PDF file is not named"
# The settings the outputs were printed with are stored in the settings
# file of the output directory.
grep -q "^\[Stock list (001.001)\]" "$work/out/RptSet.TXT" || fail "the report's settings are not stored"
grep -q "^DisplayReportOptionsWin=0" "$work/out/RptSet.TXT" || fail "the stored settings show the options window"
# The text file: the title, borders as UTF-8 box characters, a line per
# product; UTF-8 throughout.
grep -q "Stock list" "$work/out/stock-list.txt" || fail "no title in the text file"
grep -q "┌─" "$work/out/stock-list.txt" || fail "no IBM top border in the text file"
iconv -f UTF-8 -t UTF-8 "$work/out/stock-list.txt" > /dev/null || fail "the text file is not UTF-8"
grep -q "Work gloves, heavy duty" "$work/out/stock-list.txt" || fail "a product is missing from the text file"
# The export: a title line and one line per product, comma separated.
[ "$(wc -l < "$work/out/stock-list.csv")" = 301 ] || fail "the export does not hold 301 lines"
[ "$(head -1 "$work/out/stock-list.csv")" = $'"#","id","name","price","received","notes"\r' ] || fail "export titles"
# The PDF file.
[ "$(head -c 5 "$work/out/stock-list.pdf")" = "%PDF-" ] || fail "no PDF file"
if command -v pdftotext > /dev/null; then
  pdftotext "$work/out/stock-list.pdf" "$work/pdf.txt"
  grep -q "Claw hammer, medium" "$work/pdf.txt" || fail "the PDF does not read as the report"
fi
echo "example checked"
