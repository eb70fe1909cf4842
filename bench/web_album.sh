#!/usr/bin/env bash
# quillaran-web against djpeg: writes the web album (ThumbSize 120, MaxOsize 800, frames off)
# of a set of JPEGs and, in the same run, has djpeg (package libjpeg-turbo-progs) decode the
# same files at full size on two processes. The machine's load cancels in the ratios. For each
# set it prints the medians over RUNS runs (default 3): wall time, CPU time (user + system)
# and quillaran-web's peak memory (GNU time, package "time"). It also times djpeg decoding the
# files at the reduced size that quillaran-web reads them at (1/2 for the 2.5-megapixel
# photos, 1/4 for the 12-megapixel ones): that decode alone is the floor of any ratio.
#
#   bench/web_album.sh                 the three sets below; builds into build/ (or
#                                      $QUILLARAN_BUILD_DIR)
#   SETS="200 12mp" bench/web_album.sh only some of them
#   WEB_SETTINGS="--set WebForPhones=1" bench/web_album.sh    more settings for quillaran-web
#                                      (the pages for phones also write the copies at twice
#                                      the size, and decode at 1/2 instead of 1/4 for them)
#
# Sets: 200   200 photos of 1920 x 1280 (2.5 megapixels)
#       12mp  40 photos of 4000 x 3000
#       2000  the 200 photos copied ten times over; its time is also compared with ten times
#             that of the 200 (run the 200 set first)
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${RUNS:-3}"
sets="${SETS:-200 12mp 2000}"
[ -x /usr/bin/time ] || { echo "GNU time is missing: apt-get install time" >&2; exit 1; }
command -v djpeg >/dev/null || { echo "djpeg is missing: apt-get install libjpeg-turbo-progs" >&2; exit 1; }
bench_build quillaran-web quillaran_make_album

make_set() {
  case "$1" in
    200) "$build_dir/bench/quillaran_make_album" "$work/200" 200 1920 1280 ;;
    12mp) "$build_dir/bench/quillaran_make_album" "$work/12mp" 40 4000 3000 ;;
    2000)
      [ -d "$work/200" ] || make_set 200
      copy_set "$work/200" "$work/2000" 10
      ;;
  esac
}

# The DCT scale at which quillaran-web decodes a set for a large copy of 800.
scale_of() { case "$1" in 12mp) echo 1/4 ;; *) echo 1/2 ;; esac; }

declare -A wall_of
for set in $sets; do
  make_set "$set"
  dir="$work/$set"
  count="$(ls "$dir"/*.jpg | wc -l)"
  : >"$work/runs.txt"
  for _ in $(seq "$runs"); do
    rm -rf "$dir/Thumbs" "$dir/Large" "$dir/pix_index.htm"
    /usr/bin/time -f "%e %U %S %M" -o "$work/web.txt" \
      "$build_dir/quillaran-web" --set ThumbSize=120 --set MaxOsize=800 --set FrameYorN=0 \
      ${WEB_SETTINGS:-} "$dir" >/dev/null 2>"$work/err.txt"
    /usr/bin/time -f "%e %U %S" -o "$work/djpeg.txt" \
      sh -c 'ls "$1"/*.jpg | xargs -d "\n" -P2 -n1 djpeg -outfile /dev/null' _ "$dir"
    /usr/bin/time -f "%e" -o "$work/scaled.txt" \
      sh -c 'ls "$1"/*.jpg | xargs -d "\n" -P2 -n1 djpeg -scale "$2" -outfile /dev/null' _ "$dir" \
      "$(scale_of "$set")"
    read -r web_wall web_user web_sys web_peak <"$work/web.txt"
    read -r djpeg_wall djpeg_user djpeg_sys <"$work/djpeg.txt"
    read -r scaled_wall <"$work/scaled.txt"
    awk -v ww="$web_wall" -v wu="$web_user" -v ws="$web_sys" -v wp="$web_peak" \
      -v dw="$djpeg_wall" -v du="$djpeg_user" -v ds="$djpeg_sys" -v sw="$scaled_wall" \
      'BEGIN { print ww, wu + ws, wp, dw, du + ds, sw }' >>"$work/runs.txt"
  done
  col() { cut -d' ' -f"$1" "$work/runs.txt" | median; }
  web_wall="$(col 1)"; web_cpu="$(col 2)"; peak="$(col 3)"; djpeg_wall="$(col 4)"; djpeg_cpu="$(col 5)"
  scaled_wall="$(col 6)"
  wall_of[$set]="$web_wall"
  echo "set $set: $count JPEGs, $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
  echo "  quillaran-web wall $web_wall s, CPU $web_cpu s, peak memory $(awk -v p="$peak" 'BEGIN { printf "%.0f", p / 1024 }') MB"
  echo "  djpeg -P2     wall $djpeg_wall s, CPU $djpeg_cpu s"
  awk -v w="$web_wall" -v d="$djpeg_wall" -v wc="$web_cpu" -v dc="$djpeg_cpu" \
    'BEGIN { printf "  ratio to djpeg: wall %.2f, CPU %.2f\n", w / d, wc / dc }'
  awk -v s="$scaled_wall" -v d="$djpeg_wall" -v f="$(scale_of "$set")" \
    'BEGIN { printf "  djpeg -scale %s alone: wall %s s, ratio %.2f\n", f, s, s / d }'
  if [ "$set" = 2000 ] && [ -n "${wall_of[200]:-}" ]; then
    awk -v t="$web_wall" -v o="${wall_of[200]}" \
      'BEGIN { printf "  wall time / (10 x the 200 set): %.2f\n", t / (10 * o) }'
  fi
done
