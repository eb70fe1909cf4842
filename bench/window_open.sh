#!/usr/bin/env bash
# Opening a folder in the window against loading it headless: the time from the start of the
# open to the painted sheet (quillaran_open_window) against `quillaran-web --list` on the same
# 200 JPEGs of 1920 x 1300 (2.5 megapixels), medians over RUNS runs (default 5), and the paint
# time of a full sheet of 300 framed thumbs.
#
#   bench/window_open.sh          builds into build/ (or $QUILLARAN_BUILD_DIR)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${QUILLARAN_BUILD_DIR:-$root/build}"
runs="${RUNS:-5}"
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja
fi
cmake --build "$build_dir" --target quillaran-web quillaran_make_album quillaran_open_window \
  quillaran_gui_bench -j2 >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build_dir/bench/quillaran_make_album" "$work/album" 200 1920 1300
export XDG_CONFIG_HOME="$work/config"  # the user's settings do not change the figures

now_ms() { date +%s%3N; }
for _ in $(seq "$runs"); do
  start=$(now_ms)
  "$build_dir/quillaran-web" --list "$work/album" >/dev/null 2>&1
  web=$(( $(now_ms) - start ))
  start=$(now_ms)
  "$build_dir/bench/quillaran_open_window" "$work/album" >/dev/null
  window=$(( $(now_ms) - start ))
  echo "$web $window"
done >"$work/runs.txt"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
web=$(cut -d' ' -f1 "$work/runs.txt" | median)
window=$(cut -d' ' -f2 "$work/runs.txt" | median)
echo "200 JPEGs of 1920 x 1300, $runs runs, $(nproc) cores (whole processes, start-up included)"
echo "quillaran-web --list:          $web ms"
echo "window, open to painted sheet: $window ms"
awk -v w="$web" -v g="$window" 'BEGIN { printf "window / headless:             %.3f\n", g / w }'
"$build_dir/bench/quillaran_gui_bench" --benchmark_filter=PaintFullSheet
