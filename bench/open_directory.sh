#!/usr/bin/env bash
# Opens a directory of forty 12-megapixel JPEGs end to end and compares the time with forty
# single decodes; the peak memory of that run with the size of the decoded pictures.
#
#   bench/open_directory.sh     builds into build/ (or $QUILLARAN_BUILD_DIR)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${QUILLARAN_BUILD_DIR:-$root/build}"
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja
fi
cmake --build "$build_dir" --target quillaran_bench -j2 >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QUILLARAN_OPENBENCH_DIR="$work/album"
bench="$build_dir/bench/quillaran_bench"

# Each in its own process, so that the peak memory belongs to the open alone.
"$bench" --benchmark_filter='^BM_Load/' --benchmark_repetitions=9 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$work/one.csv"
"$bench" --benchmark_filter='^BM_OpenDirectory' --benchmark_format=csv 2>/dev/null >"$work/open.csv"

one_ms="$(awk -F, '$1 ~ /_median"?$/ { print $3 }' "$work/one.csv")"
open_ms="$(awk -F, '$1 ~ /BM_OpenDirectory/ { print $3 }' "$work/open.csv")"
header="$(grep '^name,' "$work/open.csv")"
row="$(grep 'BM_OpenDirectory' "$work/open.csv")"
column() { echo "$header" | tr ',' '\n' | grep -n "^\"\?$1\"\?$" | cut -d: -f1; }
peak="$(echo "$row" | cut -d, -f"$(column peak_rss_MB)")"
decoded="$(echo "$row" | cut -d, -f"$(column decoded_MB)")"

echo "cores: $(nproc)"
echo "one 12 MP decode (median of 9):        $one_ms ms"
echo "40 x one decode:                       $(awk -v o="$one_ms" 'BEGIN { printf "%.0f", 40 * o }') ms"
echo "OpenDirectory of 40 (mean of 3):       $open_ms ms"
awk -v o="$open_ms" -v d="$one_ms" 'BEGIN { printf "ratio open / (40 x decode):            %.2f\n", o / (40 * d) }'
echo "decoded pictures:                      $decoded MB"
echo "peak resident memory of the open:      $peak MB"
awk -v p="$peak" -v d="$decoded" 'BEGIN { printf "ratio peak / decoded:                  %.2f\n", p / d }'
