#!/usr/bin/env bash
# Test of the window snapshot: the example's window printed as a snapshot
# to the "PDF File" printer, on Qt's offscreen platform. The page shows one
# image, of the window's proportions, that is not blank. Arguments: the
# desktop example program and the source directory.
set -euo pipefail
program="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" TRX_WINDOWS_DIR="$work"
sqlite3 "$work/sample.db" < "$source_dir/examples/data/sample.sql"
"$program" "$work/sample.db" "$work/data" --snapshot "$work/window.pdf" > "$work/said.txt"
cat "$work/said.txt"
fail() { echo "FAILED: $*"; exit 1; }
grep -q "^Stock list: completed" "$work/said.txt" || fail "the snapshot did not print"
size="$(sed -n 's/^window \([0-9]*\)x\([0-9]*\)$/\1 \2/p' "$work/said.txt")"
[ -n "$size" ] || fail "the window's size is not told"
read -r width height <<< "$size"
# Within 3 per cent of the window's width to height.
same_shape() { awk -v w="$1" -v h="$2" -v W="$width" -v H="$height" \
  'BEGIN { r = (w / h) / (W / H); exit !(r > 0.97 && r < 1.03) }'; }

# The one image on the page is the window's picture.
images="$(pdfimages -list "$work/window.pdf" | awk 'NR > 2 { print $4, $5 }')"
[ "$(wc -l <<< "$images")" = 1 ] || fail "not one image on the page: $images"
read -r iw ih <<< "$images"
same_shape "$iw" "$ih" || fail "the image is ${iw}x${ih}, the window ${width}x${height}"

# On the rendered page: what is not white is the window, of its shape, and
# the window is not blank (its grid lines and text are darker than its
# faces).
pdftoppm -r 40 -gray -singlefile "$work/window.pdf" "$work/page"
{ read -r magic; read -r pw ph; read -r maxval; } < "$work/page.pgm"
[ "$magic" = P5 ] && [ "$maxval" = 255 ] || fail "pdftoppm gave no grey map"
tail -c $((pw * ph)) "$work/page.pgm" | od -An -v -tu1 -w"$pw" | awk -v pw="$pw" '
  { for (x = 1; x <= NF; ++x) {
      if ($x < 250) { if (!seen || x < l) l = x; if (x > r) r = x; if (!seen) t = NR; b = NR; seen = 1 }
      if ($x < 128) ++dark
    } }
  END { print l, t, r, b, dark + 0 }' > "$work/box.txt"
read -r left top right bottom dark < "$work/box.txt"
[ -n "$left" ] || fail "the page is blank"
same_shape $((right - left + 1)) $((bottom - top + 1)) ||
  fail "the picture on the page is $((right - left + 1))x$((bottom - top + 1)), the window ${width}x${height}"
[ "$dark" -gt 200 ] || fail "the window's picture holds nothing (only $dark dark dots)"
echo "window snapshot checked: ${width}x${height}, on the page $((right - left + 1))x$((bottom - top + 1))"
