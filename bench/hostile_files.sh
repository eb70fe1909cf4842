#!/usr/bin/env bash
# Peak memory of quillaran-web (GNU time's %M, package "time") on three directories of small
# files that claim huge pictures: eight 799-byte GIFs with a 65535 x 3814 screen around a
# 1 x 1 frame, eight 54-byte BMP headers of 65535 x 3814 at 24 bits with no pixels, and four
# valid 123 KB RLE8 BMPs of 16000 x 15600 pixels (each line three runs and its end), made on
# four threads: each picture really takes its 250 MB, and its large file as much again.
#
#   bench/hostile_files.sh                builds into build/ (or $QUILLARAN_BUILD_DIR)
#   bench/hostile_files.sh path/to/quillaran-web    measures that program instead
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${QUILLARAN_BUILD_DIR:-$root/build}"
[ -x /usr/bin/time ] || { echo "GNU time is missing: apt-get install time" >&2; exit 1; }
program="${1:-}"
if [ -z "$program" ]; then
  if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja
  fi
  cmake --build "$build_dir" --target quillaran-web -j2 >/dev/null
  program="$build_dir/quillaran-web"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/gif" "$work/bmp"
# GIF: screen 65535 x 3814 with a two-colour table, a comment that brings the file to 799
# bytes, one 1 x 1 frame (LZW: clear, index 0, end) and the trailer.
comment() { printf '\x21\xfe'; for size in 255 255 248; do printf "\\x$(printf %02x $size)"; head -c "$size" /dev/zero | tr '\0' 'c'; done; printf '\x00'; }
{
  printf 'GIF89a\xff\xff\xe6\x0e\x80\x00\x00\x00\x00\x00\xff\xff\xff'
  comment
  printf '\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b'
} >"$work/gif/copy1.gif"
# BMP: file header and BITMAPINFOHEADER, 65535 x 3814, 24 bits, no pixels.
printf 'BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\xff\xff\x00\x00\xe6\x0e\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00\x00\x00\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
  >"$work/bmp/copy1.bmp"
for kind in gif bmp; do
  for i in 2 3 4 5 6 7 8; do cp "$work/$kind/copy1.$kind" "$work/$kind/copy$i.$kind"; done
done
# RLE8 BMP: file header, BITMAPINFOHEADER of 16000 x 15600 at 8 bits, a grey colour table of
# 256, then 15600 lines of three runs of 255 pixels and an end of line, and the end of the
# picture.
mkdir -p "$work/bomb"
le32() { printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
  $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"; }
{
  printf 'BM'; le32 $((1078 + 15600 * 8 + 2)); le32 0; le32 1078
  le32 40; le32 16000; le32 15600; printf '\x01\x00\x08\x00'; le32 1; le32 $((15600 * 8 + 2))
  le32 2835; le32 2835; le32 256; le32 0
  for i in $(seq 0 255); do le32 $((i * 0x10101)); done
  for i in $(seq 15600); do printf '\xff\x01\xff\x02\xff\x03\x00\x00'; done
  printf '\x00\x01'
} >"$work/bomb/bomb1.bmp"
for i in 2 3 4; do cp "$work/bomb/bomb1.bmp" "$work/bomb/bomb$i.bmp"; done
# A profile of its own, so that the user's settings do not change the figures.
export XDG_CONFIG_HOME="$work/config"

# Peak memory in MB and exit status of quillaran-web with these arguments.
peak() {
  local status=0
  /usr/bin/time -f "%M" -o "$work/time.txt" "$program" "$@" >/dev/null 2>"$work/err.txt" ||
    status=$?
  echo "peak memory $(tail -n 1 "$work/time.txt" | awk '{ printf "%.0f", $1 / 1024 }') MB," \
    "exit status $status"
}

echo "quillaran-web: $program ($(nproc) cores)"
for kind in gif bmp; do
  echo "eight $(stat -c %s "$work/$kind/copy2.$kind")-byte ${kind^^}s of 65535 x 3814:" \
    "$(peak "$work/$kind")"
done
echo "four $(stat -c %s "$work/bomb/bomb1.bmp")-byte RLE8 BMPs of 16000 x 15600, --threads 4:" \
  "$(peak --threads 4 "$work/bomb")"
