#!/usr/bin/env bash
# Times quillaran-web on a directory of 200 JPEGs of 2000 x 1500 pixels (3 megapixels) with
# MaxOsize 800, and reports the median wall time and the peak memory (GNU time, package
# "time") over RUNS runs (default 5). Each run starts from the pictures alone.
#
#   bench/web_album.sh          builds into build/ (or $QUILLARAN_BUILD_DIR)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${QUILLARAN_BUILD_DIR:-$root/build}"
runs="${RUNS:-5}"
[ -x /usr/bin/time ] || { echo "GNU time is missing: apt-get install time" >&2; exit 1; }
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja
fi
cmake --build "$build_dir" --target quillaran-web quillaran_make_album -j2 >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build_dir/bench/quillaran_make_album" "$work/album" 200 2000 1500
# A profile of its own, so that the user's settings do not change the figures.
export XDG_CONFIG_HOME="$work/config"

for _ in $(seq "$runs"); do
  rm -rf "$work/album/Thumbs" "$work/album/Large" "$work/album/pix_index.htm"
  /usr/bin/time -f "%e %M" -o "$work/time.txt" \
    "$build_dir/quillaran-web" --set MaxOsize=800 "$work/album" >/dev/null 2>"$work/err.txt"
  cat "$work/time.txt"
done >"$work/runs.txt"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "200 JPEGs of 2000 x 1500, MaxOsize 800, $runs runs, $(nproc) cores"
echo "median wall time:   $(cut -d' ' -f1 "$work/runs.txt" | median) s"
echo "median peak memory: $(cut -d' ' -f2 "$work/runs.txt" | median | awk '{ printf "%.0f", $1 / 1024 }') MB"
echo "decoded pictures:   $(awk 'BEGIN { printf "%.0f", 200 * 2000 * 1500 * 3 / 1e6 }') MB"
