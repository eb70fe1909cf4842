#!/usr/bin/env bash
# quillaran-web on HEIC and WebP photos against the libraries' own decoder tools: writes the web
# album (ThumbSize 120, MaxOsize 800, frames off) of COUNT photos of 1920 x 1280 (2.5
# megapixels) made from the JPEG corpus, and in the same run has heif-convert (package
# libheif-examples; to raw y4m, so that it only decodes) or dwebp (package webp; without an
# output, so that it only decodes) decode the same files on two processes. The machine's load
# cancels in the ratio. Encoding HEIC is slow, so DISTINCT photos (default 20) are encoded and
# copied in turn to make COUNT files: a copy costs the same to decode. Prints, per format, the medians over RUNS runs (default 3): wall time
# of each and their ratio, and quillaran-web's peak memory (GNU time, package "time").
#
#   bench/today_formats.sh                  200 photos, HEIC and WebP
#   COUNT=40 FORMATS=webp bench/today_formats.sh
set -euo pipefail
source "$(dirname "$0")/common.sh"
runs="${RUNS:-3}"
count="${COUNT:-200}"
distinct="${DISTINCT:-20}"
formats="${FORMATS:-heic webp}"
for tool in /usr/bin/time heif-enc heif-convert cwebp dwebp; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (packages time, libheif-examples, webp)" >&2; exit 1; }
done
bench_build quillaran-web quillaran_make_album

"$build_dir/bench/quillaran_make_album" "$work/jpeg" "$distinct" 1920 1280 >/dev/null

for format in $formats; do
  dir="$work/$format"
  mkdir -p "$dir"
  for file in "$work/jpeg"/*.jpg; do
    name="$(basename "$file" .jpg)"
    case "$format" in
      heic) heif-enc -q 85 "$file" -o "$dir/$name.heic" >/dev/null ;;
      webp) cwebp -quiet -q 85 "$file" -o "$dir/$name.webp" ;;
    esac
  done
  for i in $(seq "$distinct" $((count - 1))); do
    cp "$dir/$(printf 'photo%04d' $((i % distinct))).$format" "$dir/$(printf 'photo%04d' "$i").$format"
  done
  case "$format" in
    heic) decode='heif-convert "$0" "$0.y4m" >/dev/null && rm -f "$0.y4m"' ;;
    webp) decode='dwebp -quiet "$0"' ;;
  esac
  : >"$work/runs.txt"
  for _ in $(seq "$runs"); do
    rm -rf "$dir/Thumbs" "$dir/Large" "$dir/pix_index.htm"
    /usr/bin/time -f "%e %M" -o "$work/web.txt" \
      "$build_dir/quillaran-web" --set ThumbSize=120 --set MaxOsize=800 --set FrameYorN=0 \
      "$dir" >/dev/null 2>"$work/err.txt"
    /usr/bin/time -f "%e" -o "$work/tool.txt" \
      sh -c 'ls "$1"/*."$2" | xargs -d "\n" -P2 -n1 sh -c "$3"' _ "$dir" "$format" "$decode"
    read -r web_wall web_peak <"$work/web.txt"
    read -r tool_wall <"$work/tool.txt"
    echo "$web_wall $tool_wall $web_peak" >>"$work/runs.txt"
  done
  web="$(cut -d' ' -f1 "$work/runs.txt" | median)"
  tool="$(cut -d' ' -f2 "$work/runs.txt" | median)"
  peak="$(cut -d' ' -f3 "$work/runs.txt" | median)"
  awk -v f="$format" -v n="$count" -v w="$web" -v t="$tool" -v p="$peak" 'BEGIN {
    printf "%s, %d photos: quillaran-web %.2f s, decoder tool %.2f s, ratio %.2f, peak %.0f MB\n",
           f, n, w, t, w / t, p / 1024 }'
done
