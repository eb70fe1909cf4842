#!/usr/bin/env bash
# Compares CImageWrap::Load with libjpeg-turbo's djpeg (package libjpeg-turbo-progs) on the same
# 12-megapixel JPEG and prints both medians and their ratio.
#
#   bench/load_vs_djpeg.sh            builds into build/ (or $QUILLARAN_BUILD_DIR)
#   RUNS=25 bench/load_vs_djpeg.sh    more runs of each
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${QUILLARAN_BUILD_DIR:-$root/build}"
runs="${RUNS:-15}"

command -v djpeg >/dev/null || { echo "djpeg is missing: apt-get install libjpeg-turbo-progs" >&2; exit 1; }
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja
fi
cmake --build "$build_dir" --target quillaran_bench -j2 >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
jpeg="$work/photo-12mp.jpg"

# The benchmark writes the picture (4000 x 3000, quality 90) on its first run.
QUILLARAN_LOADBENCH_DIR="$work" "$build_dir/bench/quillaran_bench" \
  --benchmark_filter='^BM_Load/' --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$work/load.csv"
load_ms="$(awk -F, '$1 ~ /_median"?$/ { print $3 }' "$work/load.csv")"

djpeg -outfile /dev/null "$jpeg"  # warm the page cache
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  djpeg -outfile /dev/null "$jpeg"
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 ))"
done | sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f\n", m / 1000 }' >"$work/djpeg.txt"
djpeg_ms="$(cat "$work/djpeg.txt")"

echo "picture: 4000 x 3000 JPEG, $(stat -c %s "$jpeg") bytes, $runs runs each"
echo "CImageWrap::Load median:            $load_ms ms"
echo "djpeg -outfile /dev/null median:    $djpeg_ms ms"
awk -v l="$load_ms" -v d="$djpeg_ms" 'BEGIN { printf "ratio Load / djpeg:                 %.3f\n", l / d }'
