#!/usr/bin/env bash
# The window while "Create Web page" writes an album of photos (quillaran_web_page_frames, the
# real window on the offscreen platform, its sheet asked to repaint every 10 ms): the longest
# and the median gap between two paints of the sheet from the command to the end of the run,
# and the run's time; then the same with the album written as one call on the window's thread,
# as the command did before. Medians over RUNS runs (default 3).
#
#   bench/web_page_frames.sh             200 photos of 1920 x 1280; builds into build/
#   COUNT=200 SIZE="4000 3000" bench/web_page_frames.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${RUNS:-3}"
count="${COUNT:-200}"
size="${SIZE:-1920 1280}"
bench_build quillaran_make_album quillaran_web_page_frames
# shellcheck disable=SC2086
"$build_dir/bench/quillaran_make_album" "$work/album" "$count" $size

for mode in "" --blocking; do
  : >"$work/runs.txt"
  for _ in $(seq "$runs"); do
    rm -rf "$work/album/Thumbs" "$work/album/Large" "$work/album/pix_index.htm"
    # shellcheck disable=SC2086
    "$build_dir/bench/quillaran_web_page_frames" "$work/album" $mode 2>/dev/null >>"$work/runs.txt"
  done
  col() { cut -d' ' -f"$1" "$work/runs.txt" | median; }
  echo "Create Web page${mode:+ $mode}: $count photos of ${size/ / x }, $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
  echo "  longest gap between paints:  $(col 1) ms"
  echo "  median gap between paints:   $(col 2) ms"
  echo "  run:                         $(col 3) ms"
done
