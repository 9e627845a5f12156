#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds applications against
# the installed CMake package from a copy of their sources, so that nothing
# but the prefix serves them (tests/package/consumer): one prints a string
# grid with the settings stored in its data directory to a text file; one,
# when the library has the Qt backend, shows its form as a real window.
# Arguments: the build directory, the source directory, and ON when the
# library was built with the Qt backend.
set -euo pipefail
build="$1"; src="$2"; with_qt="${3:-ON}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# The package names nothing of the trees it was built in, and its headers
# include no library's headers but Qt's, which its config finds.
if grep -rlF -e "$src" -e "$build" "$prefix"/lib*/cmake; then fail "the package names the build or source tree"; fi
if grep -rlE '^\s*#\s*include\s*<(sqlite3|cups/|utf8proc|xcb/)' "$prefix/include"; then
  fail "an installed header includes a library the package config does not find"
fi

cp -r "$src/tests/package/consumer" "$work/consumer"
cmake -S "$work/consumer" -B "$work/app" -DCMAKE_PREFIX_PATH="$prefix" -DWITH_QT="$with_qt" > "$work/log" 2>&1 ||
  { cat "$work/log"; fail "the package is not found"; }
cmake --build "$work/app" -j4 > "$work/log" 2>&1 || { cat "$work/log"; fail "the applications do not build"; }

export LD_LIBRARY_PATH="$prefix/lib:$prefix/lib64:${LD_LIBRARY_PATH:-}"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" TRX_WINDOWS_DIR="$work"
mkdir -m 700 "$work/runtime"

# The report's settings as the settings file stores them: to a text file,
# at once (no options window, no preview, no progress window, no pause).
mkdir "$work/data"
printf '%s\r\n' "[Stock by kind (001.001)]" "OutputDest=1" "OutputFileName=$work/stock.txt" "PreviewFirst=0" \
  "PauseAfterPrinting=0" "DisplayProgressWindow=0" "DisplayReportOptionsWin=0" > "$work/data/RptSet.TXT"
said=$("$work/app/print_grid" "$work/data") || fail "the report did not print (it said: $said)"
[ "$said" = "1 1" ] || fail "the report said \"$said\", not that it completed one page"
[ -f "$work/stock.txt" ] || fail "no text file"
# The grid drawn with the stored defaults: IBM line-drawing characters.
for row in "┌─" "Item.*Kind.*Count" "Claw hammer.*Tools.*12" "Work gloves.*Clothing.*40" "Tape measure.*Tools.*7"; do
  grep -q "$row" "$work/stock.txt" || { cat "$work/stock.txt"; fail "the text file has no line \"$row\""; }
done

if [ "$with_qt" = ON ]; then
  said=$("$work/app/show_window" "$work/window.png") || fail "the window was not shown (it said: $said)"
  [ "$said" = "Stock list|1|Print" ] || fail "the window said \"$said\""
  [ "$(head -c 8 "$work/window.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "no picture of the window"
fi
echo "package ok"
