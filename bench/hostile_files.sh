#!/usr/bin/env bash
# Peak memory of quillaran-web (GNU time's %M, package "time") on two directories of small
# files that claim huge pictures: eight 799-byte GIFs with a 65535 x 3814 screen around a
# 1 x 1 frame, and eight 54-byte BMP headers of 65535 x 3814 at 24 bits with no pixels.
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
# A profile of its own, so that the user's settings do not change the figures.
export XDG_CONFIG_HOME="$work/config"

echo "quillaran-web: $program ($(nproc) cores)"
for kind in gif bmp; do
  status=0
  /usr/bin/time -f "%M" -o "$work/time.txt" "$program" "$work/$kind" >/dev/null 2>"$work/err.txt" ||
    status=$?
  echo "eight $(stat -c %s "$work/$kind/copy2.$kind")-byte ${kind^^}s of 65535 x 3814:" \
    "peak memory $(tail -n 1 "$work/time.txt" | awk '{ printf "%.0f", $1 / 1024 }') MB, exit status $status"
done
