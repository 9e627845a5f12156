#!/usr/bin/env bash
# The PDF printer against its bare Qt peer: the text report with IBM line
# drawing of bench/report_table.sql printed on the "PDF File" printer
# (bench_pdf_vs_qt), against bench_pdf_peer drawing the same lines in the
# same font with QPdfWriter and QPainter, one drawText a line. Each job is a
# process of its own; they take turns, BENCH_RUNS rounds (5), and the best
# time of each counts. Reports the ratio ours / peer's for 10,000 and
# 100,000 rows (BENCH_ROWS another list), the median of the rounds' ratios,
# the file sizes, and whether the two files read alike (pdftotext).
# BUILD_DIR chooses the build directory (build-bench), BUILD_JOBS the
# build's jobs (all CPUs); EARLIER another bench_pdf_vs_qt (an earlier
# build), which then takes its turn in every round too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"${BUILD_JOBS:-$(nproc)}" --target bench_pdf_vs_qt bench_pdf_peer >/dev/null
earlier="${EARLIER:-}"
work="$build/bench/pdf-vs-qt"
mkdir -p "$work"
runs="${BENCH_RUNS:-5}"
export QT_QPA_PLATFORM=offscreen
echo "machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p' | head -1)," \
     "$(free -g | awk '/^Mem:/ {print $2}') GB memory; Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"

# Wall and processor (user and system) seconds of one run of the command;
# its output goes to the log.
seconds() {
  sync
  local TIMEFORMAT='%R %U %S'
  { time "$@" >>"$work/log" 2>&1; } 2>&1 | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'
}

status=0
for rows in ${BENCH_ROWS:-10000 100000}; do
  db="$work/orders-$rows.db"
  if [ ! -f "$db" ] || [ bench/report_table.sql -nt "$db" ]; then
    rm -f "$db" "$db.tmp"
    sed "s/i < 1000000/i < $rows/" bench/report_table.sql | sqlite3 "$db.tmp"
    mv "$db.tmp" "$db"
  fi
  "$build/bench/bench_pdf_vs_qt" setup "$db" orders "$work/lines.txt" >"$work/peer-args" 2>>"$work/log"
  mapfile -t peer_args <"$work/peer-args"
  : >"$work/times"
  for ((round = 1; round <= runs; round++)); do
    ours=$(seconds "$build/bench/bench_pdf_vs_qt" pdf "$db" orders "$work/ours.pdf")
    peer=$(seconds "$build/bench/bench_pdf_peer" "$work/lines.txt" "$work/peer.pdf" "${peer_args[@]}")
    before="0 0"
    [ -z "$earlier" ] || before=$(seconds "$earlier" pdf "$db" orders "$work/earlier.pdf")
    echo "$ours $peer $before" >>"$work/times"
  done
  same="no"
  if cmp -s <(pdftotext -layout "$work/ours.pdf" -) <(pdftotext -layout "$work/peer.pdf" -); then same="yes"; fi
  [ "$same" = yes ] || status=1
  echo
  echo "$rows rows of orders, $(pdfinfo "$work/ours.pdf" | awk '/^Pages:/ {print $2}') pages;" \
       "font ${peer_args[0]} ${peer_args[1]} px at ${peer_args[6]} dpi; best of $runs rounds"
  # Columns of the times: ours wall, ours processor, peer wall, peer
  # processor, the earlier build's wall and processor.
  best() { sort -n -k"$1" "$work/times" | awk -v k="$1" 'NR == 1 {print $k}'; }
  # The median over the rounds of column $1 / column $2.
  median_ratio() {
    awk -v a="$1" -v b="$2" '{printf "%.4f\n", $a / $b}' "$work/times" | sort -n |
      awk '{r[NR] = $1} END {print NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2}'
  }
  median=$(median_ratio 1 3)
  printf "%-32s %8s %14s %8s\n" "job" "wall s" "processor s" "KB"
  printf "%-32s %8.2f %14.2f %8d\n" "PDF printer (ours)" "$(best 1)" "$(best 2)" \
         $(($(stat -c %s "$work/ours.pdf") / 1024))
  printf "%-32s %8.2f %14.2f %8d\n" "QPdfWriter and QPainter (peer)" "$(best 3)" "$(best 4)" \
         $(($(stat -c %s "$work/peer.pdf") / 1024))
  awk -v ow="$(best 1)" -v oc="$(best 2)" -v pw="$(best 3)" -v pc="$(best 4)" -v m="$median" -v same="$same" \
      'BEGIN { printf "ratio ours / peer: wall %.2f (median of the rounds %.2f), processor %.2f; same text: %s\n",
                      ow / pw, m, oc / pc, same }'
  if [ -n "$earlier" ]; then
    printf "%-32s %8.2f %14.2f %8d\n" "earlier build of ours" "$(best 5)" "$(best 6)" \
           $(($(stat -c %s "$work/earlier.pdf") / 1024))
    median=$(median_ratio 5 3)
    awk -v ew="$(best 5)" -v ec="$(best 6)" -v pw="$(best 3)" -v pc="$(best 4)" -v m="$median" \
        'BEGIN { printf "ratio earlier / peer: wall %.2f (median of the rounds %.2f), processor %.2f\n",
                        ew / pw, m, ec / pc }'
  fi
done
rm -f "$work/ours.pdf" "$work/peer.pdf" "$work/earlier.pdf" "$work/lines.txt"
exit $status
