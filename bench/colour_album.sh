#!/usr/bin/env bash
# What converting colour profiles costs an album: quillaran-web writes the web album (ThumbSize
# 120, MaxOsize 800, frames off) of 40 photos of 4000 x 3000 converted to Adobe RGB (1998) and
# tagged with its profile by jpgicc (package liblcms2-utils), and of the same 40 files with the
# profile taken out by jpegtran (libjpeg-turbo-progs), which keeps the compressed picture as it
# is: the same decoding work, without the conversion. The two albums are written one after the
# other in each run, in turn first; the script prints the medians over RUNS runs (default 5) of wall and CPU
# time (GNU time, package "time") and the ratio tagged / untagged.
#
#   bench/colour_album.sh            builds into build/ (or $QUILLARAN_BUILD_DIR)
#   RUNS=9 bench/colour_album.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${RUNS:-5}"
for tool in /usr/bin/time jpgicc jpegtran; do
  command -v "$tool" >/dev/null ||
    { echo "$tool is missing: apt-get install time liblcms2-utils libjpeg-turbo-progs" >&2; exit 1; }
done
bench_build quillaran-web quillaran_make_album quillaran_write_profile

# One photo made, converted and tagged; the others are copies of it, which cost the same.
"$build_dir/bench/quillaran_make_album" "$work/srgb" 1 4000 3000
"$build_dir/bench/quillaran_write_profile" "$work/AdobeRGB.icc"
mkdir -p "$work/tagged" "$work/untagged"
jpgicc -q90 -t1 -b -e -o"$work/AdobeRGB.icc" "$work/srgb/photo0000.jpg" \
  "$work/tagged/photo0000.jpg" >/dev/null 2>&1
jpegtran -copy none -outfile "$work/untagged/photo0000.jpg" "$work/tagged/photo0000.jpg"
for i in $(seq 1 39); do
  name="$(printf 'photo%04d.jpg' "$i")"
  cp "$work/tagged/photo0000.jpg" "$work/tagged/$name"
  cp "$work/untagged/photo0000.jpg" "$work/untagged/$name"
done

album() {
  rm -rf "$work/$1/Thumbs" "$work/$1/Large" "$work/$1/pix_index.htm"
  /usr/bin/time -f "%e %U %S" -o "$work/time.txt" \
    "$build_dir/quillaran-web" --set ThumbSize=120 --set MaxOsize=800 --set FrameYorN=0 \
    "$work/$1" >/dev/null 2>"$work/err.txt"
  awk '{ print $1, $2 + $3 }' "$work/time.txt" >>"$work/$1.txt"
}

: >"$work/tagged.txt"
: >"$work/untagged.txt"
# Each goes first in every other run, so that neither gains from the other's warm caches.
for run in $(seq "$runs"); do
  if [ $((run % 2)) -eq 1 ]; then
    album untagged
    album tagged
  else
    album tagged
    album untagged
  fi
done
col() { cut -d' ' -f"$2" "$work/$1.txt" | median; }
echo "40 photos of 4000 x 3000, $runs runs, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
echo "  Adobe RGB, converted  wall $(col tagged 1) s, CPU $(col tagged 2) s"
echo "  same, no profile      wall $(col untagged 1) s, CPU $(col untagged 2) s"
awk -v tw="$(col tagged 1)" -v uw="$(col untagged 1)" -v tc="$(col tagged 2)" -v uc="$(col untagged 2)" \
  'BEGIN { printf "  ratio: wall %.3f, CPU %.3f\n", tw / uw, tc / uc }'
