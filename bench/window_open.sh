#!/usr/bin/env bash
# Opening a folder in the window, from the launch of the program to the painted sheet of the
# whole album (quillaran_open_window, the real window on the offscreen platform), against
# djpeg (package libjpeg-turbo-progs) decoding the same files at full size on two processes
# in the same run; with the program's peak memory (GNU time, package "time") and the time
# from its launch to the first screen of sketches painted. Each run opens the folder with an
# empty sketch cache, then again with the sketches it kept (the reopen). Medians over RUNS
# runs (default 3), then the paint time of a full sheet of 300 framed thumbs.
#
#   bench/window_open.sh                 both sets; builds into build/ (or $QUILLARAN_BUILD_DIR)
#   SETS=120 bench/window_open.sh        only one of them
#   BASELINE_WINDOW=/other/build/bench/quillaran_open_window bench/window_open.sh
#                                        also opens each folder with another build's window
#                                        (an earlier commit's) in the same runs, and compares
#                                        the first opens
#
# Sets: 120   40 photos of 4000 x 3000 (12 megapixels), each copied three times
#       2000  200 photos of 1920 x 1280 (2.5 megapixels), each copied ten times
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${RUNS:-3}"
sets="${SETS:-120 2000}"
[ -x /usr/bin/time ] || { echo "GNU time is missing: apt-get install time" >&2; exit 1; }
command -v djpeg >/dev/null || { echo "djpeg is missing: apt-get install libjpeg-turbo-progs" >&2; exit 1; }
bench_build quillaran_make_album quillaran_open_window \
  quillaran_gui_bench

# make_set NAME COUNT WIDTH HEIGHT COPIES
make_set() {
  "$build_dir/bench/quillaran_make_album" "$work/one" "$2" "$3" "$4"
  copy_set "$work/one" "$work/$1" "$5"
  rm -rf "$work/one"
}

now_ms() { date +%s%3N; }

for set in $sets; do
  case "$set" in
    120) make_set 120 40 4000 3000 3 ;;
    2000) make_set 2000 200 1920 1280 10 ;;
    *) echo "unknown set $set" >&2; exit 2 ;;
  esac
  dir="$work/$set"
  : >"$work/runs.txt"
  open_window() {
    QUILLARAN_LAUNCH_MS=$(now_ms) /usr/bin/time -f "%M" -o "$work/peak.txt" \
      "${1:-$build_dir/bench/quillaran_open_window}" "$dir" >"$work/window.txt" 2>/dev/null
  }
  for run in $(seq "$runs"); do
    # A cache folder of its own for each run, all removed at the end: thousands of files
    # deleted just before the first open would slow the file system's making of new ones.
    export XDG_CACHE_HOME="$work/cache-$set-$run"
    open_window
    start=$(now_ms)
    ls "$dir"/*.jpg | xargs -d '\n' -P2 -n1 djpeg -outfile /dev/null
    djpeg_ms=$(( $(now_ms) - start ))
    read -r first settled _ <"$work/window.txt"
    peak_first="$(cat "$work/peak.txt")"
    open_window
    read -r _ reopened _ <"$work/window.txt"
    peak_reopened="$(cat "$work/peak.txt")"
    baseline=0
    if [ -n "${BASELINE_WINDOW:-}" ]; then
      export XDG_CACHE_HOME="$work/cache-$set-$run-baseline"
      open_window "$BASELINE_WINDOW"
      read -r _ baseline _ <"$work/window.txt"
    fi
    echo "$first $settled $peak_first $djpeg_ms $reopened $peak_reopened $baseline" >>"$work/runs.txt"
  done
  col() { cut -d' ' -f"$1" "$work/runs.txt" | median; }
  first="$(col 1)"; settled="$(col 2)"; peak="$(col 3)"; djpeg="$(col 4)"
  reopened="$(col 5)"; peak_reopened="$(col 6)"; baseline="$(col 7)"
  echo "set $set: $(ls "$dir"/*.jpg | wc -l) JPEGs, $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
  echo "  window, launch to the painted sheet:      $settled ms"
  echo "  window, launch to the first screen:       $first ms"
  awk -v p="$peak" 'BEGIN { printf "  window, peak memory:                      %.0f MB\n", p / 1024 }'
  echo "  djpeg -P2, full size:                     $djpeg ms"
  echo "  window reopened, sketches cached:         $reopened ms"
  awk -v r="$reopened" -v s="$settled" -v p="$peak_reopened" 'BEGIN {
    printf "  reopened / first open:                    %.3f\n", r / s
    printf "  window reopened, peak memory:             %.0f MB\n", p / 1024 }'
  awk -v w="$settled" -v d="$djpeg" 'BEGIN { printf "  window / djpeg:                           %.2f\n", w / d }'
  if [ -n "${BASELINE_WINDOW:-}" ]; then
    echo "  baseline window, the painted sheet:       $baseline ms"
    awk -v s="$settled" -v b="$baseline" 'BEGIN { printf "  first open / baseline:                    %.3f\n", s / b }'
  fi
  rm -rf "$dir"
done
"$build_dir/bench/quillaran_gui_bench" --benchmark_filter=PaintFullSheet
