#!/usr/bin/env bash
# The memory held by the undo history after 200 sorts (the step cap) of an album of 10,000
# pictures, each sort moving every picture.
#
#   bench/undo_memory.sh     builds into build/ (or $QUILLARAN_BUILD_DIR)
set -euo pipefail
source "$(dirname "$0")/common.sh"
bench_build quillaran_bench
"$build_dir/bench/quillaran_bench" --benchmark_filter='^BM_HistoryOfSorts/' \
  --benchmark_format=csv 2>/dev/null >"$work/history.csv"
header="$(grep '^name,' "$work/history.csv")"
row="$(grep 'BM_HistoryOfSorts' "$work/history.csv")"
column() { echo "$header" | tr ',' '\n' | grep -n "^\"\?$1\"\?$" | cut -d: -f1; }
echo "200 sorts of 10,000 pictures, the undo history holds:"
echo "  heap allocated:   $(echo "$row" | cut -d, -f"$(column held_MB)") MB"
echo "  resident growth:  $(echo "$row" | cut -d, -f"$(column resident_MB)") MB"
