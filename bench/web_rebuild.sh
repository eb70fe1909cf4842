#!/usr/bin/env bash
# Writing the web album again (ThumbSize 120, MaxOsize 800, frames off) with quillaran-web, on
# COUNT photos of 1920 x 1280 (2.5 megapixels; default 2000: 200 photos copied ten times).
# Each of RUNS runs (default 5) writes the album of a fresh folder, then again:
#   unchanged  on the unchanged folder;
#   caption    after one picture's caption changed in Quillaran.txt (expected to change the
#              index and that picture's page);
#   replaced   after one photo was replaced by another of the same size (the same photo turned
#              half round, jpegtran): expected to change that photo's thumb and large copy.
# It prints the medians of the wall times, the first run's CPU time (user + system) and peak
# memory (GNU time, package "time") and the ratio of each later run to the first (the CPU time
# is the steadier figure on a loaded machine); and the files of the folder whose time
# or size each later run changed (find snapshots just before and after it), against those
# expected; the list of what Quillaran made (Thumbs/.quillaran-made) changes with any of them.
#
#   bench/web_rebuild.sh                   2,000 photos, 5 runs; builds into build/ (or
#                                          $QUILLARAN_BUILD_DIR)
#   COUNT=200 RUNS=3 bench/web_rebuild.sh  a quick run (COUNT up to 200, or a multiple of it)
#   BASELINE_WEB=/path/to/quillaran-web bench/web_rebuild.sh
#                                          also times another build's quillaran-web writing the
#                                          album of the fresh folder, alternately before and
#                                          after this one's first run, and prints the ratios
#                                          (an older commit: git worktree add, then build
#                                          its quillaran-web in a build folder of its own)
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${RUNS:-5}"
count="${COUNT:-2000}"
baseline="${BASELINE_WEB:-}"
[ -x /usr/bin/time ] || { echo "GNU time is missing: apt-get install time" >&2; exit 1; }
command -v jpegtran >/dev/null || { echo "jpegtran is missing: apt-get install libjpeg-turbo-progs" >&2; exit 1; }
if [ -n "$baseline" ] && [ ! -x "$baseline" ]; then
  echo "BASELINE_WEB=$baseline is not a program" >&2
  exit 2
fi
if [ "$count" -gt 200 ] && [ $((count % 200)) -ne 0 ]; then
  echo "COUNT is up to 200 or a multiple of 200, not $count" >&2
  exit 2
fi
bench_build quillaran-web quillaran_make_album

dir="$work/album"
if [ "$count" -le 200 ]; then
  "$build_dir/bench/quillaran_make_album" "$dir" "$count" 1920 1280
else
  "$build_dir/bench/quillaran_make_album" "$work/one" 200 1920 1280
  copy_set "$work/one" "$dir" $((count / 200))
  rm -rf "$work/one"
fi
settings=(--set ThumbSize=120 --set MaxOsize=800 --set FrameYorN=0)
# A record of the album, in which a caption is changed below.
"$build_dir/quillaran-web" "${settings[@]}" --list --save-record "$dir" >/dev/null
# The picture whose caption changes, and the one replaced.
names=("$dir"/*.jpg)
captioned="$(basename "${names[$((count / 2))]}")"
replaced="$(basename "${names[$((count / 3))]}")"
cp "$dir/$replaced" "$work/original.jpg"
jpegtran -rotate 180 -outfile "$work/turned.jpg" "$work/original.jpg"

# Each file of the folder with its time and size.
snap() { (cd "$dir" && find . -type f -printf '%P\t%T@\t%s\n' | sort) >"$1"; }
# The files that differ between two snapshots: "+path" made or changed, "-path" removed.
touched() {
  awk -F'\t' 'NR == FNR { was[$1] = $2 " " $3; next }
    { if (!($1 in was) || was[$1] != $2 " " $3) print "+" $1; delete was[$1] }
    END { for (p in was) print "-" p }' "$1" "$2" | sort
}
# timed NAME PROGRAM: PROGRAM writes the album; its wall time, peak memory and CPU time go to
# NAME.txt in work, the files it changed to NAME.files.
timed() {
  snap "$work/before"
  /usr/bin/time -f "%e %M %U %S" -o "$work/$1.time" \
    "$2" "${settings[@]}" "$dir" >/dev/null 2>"$work/err.txt" ||
    { cat "$work/err.txt" >&2; exit 1; }
  snap "$work/after"
  touched "$work/before" "$work/after" >"$work/$1.files"
  awk '{ print $1, $2, $3 + $4 }' "$work/$1.time" >>"$work/$1.txt"
}
# Removes the web album, keeping the photos and the record.
fresh() { rm -rf "$dir/Thumbs" "$dir/Large" "$dir/pix_index.htm"; }
set_caption() {
  awk -F'\t' -v OFS='\t' -v name="$captioned" -v caption="$1" \
    '$1 == name { $2 = caption } { print }' "$dir/Quillaran.txt" >"$work/record"
  mv "$work/record" "$dir/Quillaran.txt"
}

steps="first unchanged caption replaced"
for step in $steps baseline; do : >"$work/$step.txt"; done
for run in $(seq "$runs"); do
  if [ -n "$baseline" ] && [ $((run % 2)) -eq 1 ]; then
    fresh
    timed baseline "$baseline"
  fi
  fresh
  set_caption "Caption $run"
  cp "$work/original.jpg" "$dir/$replaced"
  timed first "$build_dir/quillaran-web"
  timed unchanged "$build_dir/quillaran-web"
  set_caption "Caption $run changed"
  timed caption "$build_dir/quillaran-web"
  cp "$work/turned.jpg" "$dir/$replaced"
  timed replaced "$build_dir/quillaran-web"
  if [ -n "$baseline" ] && [ $((run % 2)) -eq 0 ]; then
    fresh
    timed baseline "$baseline"
  fi
  for step in unchanged caption replaced; do
    # What a step changed may differ between runs only in the figures, not in the files.
    if [ "$run" -gt 1 ] && ! cmp -s "$work/$step.files" "$work/$step.files1"; then
      echo "run $run changed other files than run 1 did in step $step:" >&2
      diff "$work/$step.files1" "$work/$step.files" >&2 || true
    fi
    [ "$run" -gt 1 ] || cp "$work/$step.files" "$work/$step.files1"
  done
done

wall() { cut -d' ' -f1 "$work/$1.txt" | median; }
cpu() { cut -d' ' -f3 "$work/$1.txt" | median; }
peak_mb() { cut -d' ' -f2 "$work/$1.txt" | median | awk '{ printf "%.0f", $1 / 1024 }'; }
first="$(wall first)"
echo "quillaran-web, $count JPEGs of 1920 x 1280, $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
echo "  first run, fresh folder: wall $first s, CPU $(cpu first) s, peak memory $(peak_mb first) MB, $(grep -c . "$work/first.files") files written"
if [ -n "$baseline" ]; then
  echo "  baseline first run:      wall $(wall baseline) s, CPU $(cpu baseline) s, peak memory $(peak_mb baseline) MB"
  awk -v n="$first" -v o="$(wall baseline)" -v nc="$(cpu first)" -v oc="$(cpu baseline)" \
    'BEGIN { printf "  first run / baseline:    wall %.2fx, CPU %.2fx\n", n / o, nc / oc }'
fi
# What each step is expected to change: the list of what Quillaran made changes with anything.
expected_unchanged=""
expected_caption="+Large/${captioned%.jpg}_jpg.htm +pix_index.htm +Thumbs/.quillaran-made"
expected_replaced="+Large/$replaced +Thumbs/Thumb_$replaced +Thumbs/.quillaran-made"
for step in unchanged caption replaced; do
  files="$work/$step.files"
  expected="expected_$step"
  verdict="as expected"
  if [ "$(printf '%s\n' ${!expected} | sort | xargs)" != "$(sort "$files" | xargs)" ]; then
    verdict="NOT as expected (${!expected:-none})"
  fi
  awk -v s="$step" -v t="$(wall "$step")" -v f="$first" -v n="$(grep -c . "$files" || true)" -v v="$verdict" \
    'BEGIN { printf "  %-9s wall %s s, %.3fx the first run; %d files changed, %s\n", s, t, t / f, n, v }'
  sed 's/^/      /' "$files"
done
echo "  caption changed: $captioned; photo replaced: $replaced"
