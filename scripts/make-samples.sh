#!/usr/bin/env bash
# Makes the sample album in samples/ from real photographs, and its licence note
# samples/LICENSE.txt. Re-runnable: it rewrites the same files with the same bytes.
#
# Source: the Debian package lomiri-wallpapers-16.04 ("Lomiri Wallpapers (as shipped with
# Ubuntu Touch 16.04)", made with version 20.04.0-2), fetched with `apt-get download` into a
# temporary directory and unpacked with `dpkg-deb -x`; nothing is installed from it. Its
# photographs are under CC-BY-4.0, CC-BY-SA-4.0 or CC0-1.0 (see its
# /usr/share/doc/lomiri-wallpapers-16.04/copyright, copied into samples/LICENSE.txt).
#
# Files taken from /usr/share/backgrounds/ of that package, and what each becomes:
#   aitzgorri_by_Aitzol_Berasategi.jpg      -> "Aitzgorri in autumn.jpg"
#   Bridge_by_Sander_Klootwijk.jpg          -> bridge_cables.jpg (keeps its JFIF segment first)
#   friends_by_Aitzol_Berasategi.jpg        -> dogs_at_the_window.jpg (portrait, 1065 x 1600)
#   seeding_by_Clements_Engelhardt.jpg      -> dandelions.jpg
#   Dragonfly_by_Bolly.jpg                  -> dragonfly.jpg
#   picosdeeuropa_by_Aitzol_Berasategi.jpg  -> "Picos de Europa.jpg"
#   life_by_Aitzol_Berasategi.jpg           -> stream_in_the_forest.jpg
#   sunset_by_Aitzol_Berasategi.jpg         -> "Sommet – coucher d'été (2).jpg"
#   Picture_0B_by_freespace.jpg             -> fig_on_red_plate.png (24-bit RGB, 1024 px)
#   Picture_1A_by_freespace.jpg             -> paint_brushes.gif (256-colour palette, 1200 px)
#   free_by_Peter_Nerlich.jpg               -> bird_lamp.bmp (24-bit, uncompressed, 800 px)
#
# JPEGs are reduced to 1600 pixels on the longer side, stripped of the source's metadata and
# given a fresh EXIF segment (dates, Orientation 1, artist, copyright) as the first segment
# after SOI, the way cameras write it, so the date reader finds the time stamp. The one
# exception, bridge_cables.jpg, keeps the encoder's JFIF segment in front of its EXIF one:
# such a file is dated from the file time, and the album shows that case too.
#
# Needs ImageMagick and exiftool; installs imagemagick and libimage-exiftool-perl with
# apt-get when they are missing.
set -euo pipefail

package=lomiri-wallpapers-16.04
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/samples"

# name in samples/ | source file | EXIF time stamp | description
jpegs=(
  "Aitzgorri in autumn.jpg|aitzgorri_by_Aitzol_Berasategi.jpg|2026:06:14 10:32:05|Autumn beeches below Aitzgorri"
  "bridge_cables.jpg|Bridge_by_Sander_Klootwijk.jpg|2026:06:14 12:00:00|Bridge cables over the flats"
  "dogs_at_the_window.jpg|friends_by_Aitzol_Berasategi.jpg|2026:06:14 15:05:09|Two dogs at the window"
  "dandelions.jpg|seeding_by_Clements_Engelhardt.jpg|2026:06:15 07:05:48|Dandelion clocks in the morning sun"
  "dragonfly.jpg|Dragonfly_by_Bolly.jpg|2026:06:15 09:30:41|Dragonfly on a twig"
  "Picos de Europa.jpg|picosdeeuropa_by_Aitzol_Berasategi.jpg|2026:06:16 13:47:22|Path into the Picos de Europa"
  "stream_in_the_forest.jpg|life_by_Aitzol_Berasategi.jpg|2026:06:16 16:18:03|Stream in the forest"
  "Sommet – coucher d'été (2).jpg|sunset_by_Aitzol_Berasategi.jpg|2026:06:16 21:41:57|Sunset from the summit"
)
jfif_first="bridge_cables.jpg"
png_name="fig_on_red_plate.png";  png_source="Picture_0B_by_freespace.jpg"
gif_name="paint_brushes.gif";     gif_source="Picture_1A_by_freespace.jpg"
bmp_name="bird_lamp.bmp";         bmp_source="free_by_Peter_Nerlich.jpg"

die() { echo "make-samples: $*" >&2; exit 1; }

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
apt_updated=0
apt_install() {
  if [ $apt_updated -eq 0 ]; then $sudo apt-get update -qq; apt_updated=1; fi
  $sudo apt-get install -y -qq --no-install-recommends "$@"
}

# A `convert` early on PATH may be something else than ImageMagick: take the first that is.
find_magick() {
  local c
  for c in magick convert-im6.q16 convert-im6 convert /usr/bin/convert; do
    if command -v "$c" >/dev/null 2>&1 && "$c" -version 2>/dev/null | grep -q ImageMagick; then
      echo "$c"
      return 0
    fi
  done
  return 1
}
magick="$(find_magick)" || { apt_install imagemagick; magick="$(find_magick)"; } ||
  die "ImageMagick not found after installing imagemagick"
command -v exiftool >/dev/null 2>&1 || apt_install libimage-exiftool-perl

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if ! (cd "$work" && apt-get download -qq "$package" 2>/dev/null); then
  $sudo apt-get update -qq
  apt_updated=1
  (cd "$work" && apt-get download -qq "$package")
fi
deb="$(ls "$work"/*.deb)"
version="$(dpkg-deb -f "$deb" Version)"
dpkg-deb -x "$deb" "$work/x"
src="$work/x/usr/share/backgrounds"
copyright="$work/x/usr/share/doc/$package/copyright"
[ -f "$copyright" ] || die "$package has no copyright file"

mkdir -p "$out"
rm -f "$out/LICENSE.txt" "$out/$png_name" "$out/$gif_name" "$out/$bmp_name"
for row in "${jpegs[@]}"; do rm -f "$out/${row%%|*}"; done

# The reader's header test: the bytes after SOI, up to the first zero byte, contain "Exif";
# and the first 20dd: run in those 1024 bytes is the time stamp we wrote.
exif_date_found() {
  perl -e 'open(my $f, "<:raw", $ARGV[0]) or exit 2; read($f, my $h, 2); read($f, my $b, 1024);
           my ($t) = split /\0/, $b, 2; exit 1 unless index($t, "Exif") > 0;
           exit($b =~ /(20\d\d:\d\d:\d\d \d\d:\d\d)/ && $1 eq substr($ARGV[1], 0, 16) ? 0 : 1)' "$1" "$2"
}

for row in "${jpegs[@]}"; do
  IFS='|' read -r name source stamp description <<<"$row"
  target="$out/$name"
  "$magick" "$src/$source" -strip -resize '1600x1600>' -quality 85 -sampling-factor 2x2 \
    -interlace none "$target"
  drop_jfif=(-JFIF:all=)
  [ "$name" = "$jfif_first" ] && drop_jfif=()
  stanza="$(sed -n "/^Files: 16.04\/$source\$/,/^\$/p" "$copyright")"
  holder="$(sed -n 's/^Copyright: //p' <<<"$stanza")"
  licence="$(sed -n 's/^License: //p' <<<"$stanza")"
  author="$(sed -E 's/^[0-9]{4}[.,]? *//; s/,? *[0-9]{4}$//; s/"//g' <<<"$holder")"
  exiftool -q -overwrite_original "${drop_jfif[@]}" \
    -EXIF:ImageDescription="$description" -EXIF:Orientation#=1 \
    -EXIF:Artist="$author" -EXIF:Copyright="$holder, $licence; see LICENSE.txt" \
    -EXIF:ModifyDate="$stamp" -EXIF:DateTimeOriginal="$stamp" -EXIF:CreateDate="$stamp" \
    "$target"
  if [ "$name" = "$jfif_first" ]; then
    exif_date_found "$target" "$stamp" && die "$name should start with its JFIF segment"
  else
    exif_date_found "$target" "$stamp" || die "$name: time stamp not where the reader looks"
  fi
done

# Lossless formats: no metadata, no time chunks, so a re-run writes the same bytes.
"$magick" "$src/$png_source" -strip -resize '1024x1024>' -alpha off -type TrueColor \
  -define png:exclude-chunks=date,time "PNG24:$out/$png_name"
"$magick" "$src/$gif_source" -strip -resize '1200x1200>' -colors 256 "GIF:$out/$gif_name"
"$magick" "$src/$bmp_source" -strip -resize '800x800>' -alpha off -type TrueColor \
  "BMP3:$out/$bmp_name"

# Check what the album relies on: the depths, and one picture with portrait pixels.
perl -e 'open(my $f, "<:raw", $ARGV[0]) or exit 2; read($f, my $h, 34);
         my ($bits, $compression) = unpack("v V", substr($h, 28, 6));
         exit($bits == 24 && $compression == 0 ? 0 : 1)' "$out/$bmp_name" ||
  die "$bmp_name is not a 24-bit uncompressed BMP"
perl -e 'open(my $f, "<:raw", $ARGV[0]) or exit 2; read($f, my $h, 13);
         my $p = ord(substr($h, 10, 1)); exit(($p & 0x80) && ($p & 7) == 7 ? 0 : 1)' \
  "$out/$gif_name" || die "$gif_name has no 256-entry colour table"
perl -e 'open(my $f, "<:raw", $ARGV[0]) or exit 2; read($f, my $h, 26);
         exit(ord(substr($h, 24, 1)) == 8 && ord(substr($h, 25, 1)) == 2 ? 0 : 1)' \
  "$out/$png_name" || die "$png_name is not 8-bit RGB without alpha"
read -r w h < <(exiftool -s3 -p '$ImageWidth $ImageHeight' "$out/dogs_at_the_window.jpg")
[ "$h" -gt "$w" ] || die "dogs_at_the_window.jpg is not portrait"

# The licence note: one paragraph per picture, then the package's copyright file verbatim.
{
  echo "Sample album: licences"
  echo "======================"
  echo
  echo "The pictures in this folder are photographs from the Debian package"
  echo "$package, version $version (\"Lomiri Wallpapers (as shipped with Ubuntu"
  echo "Touch 16.04)\"), file /usr/share/backgrounds/<source file>. scripts/make-samples.sh"
  echo "made them: it reduced each to at most 1600 pixels on the longer side (the PNG to 1024,"
  echo "the GIF to 1200, the BMP to 800), converted the format where the name says so (the GIF"
  echo "to a 256-colour palette), removed the source's metadata and, in the JPEGs, wrote new"
  echo "EXIF dates, description, artist and copyright tags. The dates are made up for the"
  echo "sample; they are not when the photographs were taken."
  echo
  all=("${jpegs[@]}" "$png_name|$png_source" "$gif_name|$gif_source" "$bmp_name|$bmp_source")
  for row in "${all[@]}"; do
    IFS='|' read -r name source _ <<<"$row"
    stanza="$(sed -n "/^Files: 16.04\/$source\$/,/^\$/p" "$copyright")"
    [ -n "$stanza" ] || die "no copyright entry for $source"
    echo "$name"
    echo "  source file: $source"
    echo "  copyright:   $(sed -n 's/^Copyright: //p' <<<"$stanza")"
    echo "  licence:     $(sed -n 's/^License: //p' <<<"$stanza")"
    echo
  done
  echo "The licence texts (CC-BY-4.0, CC-BY-SA-4.0, CC0-1.0) are in the package's copyright"
  echo "file, /usr/share/doc/$package/copyright, reproduced here in full:"
  echo
  echo "------------------------------------------------------------------------------------"
  cat "$copyright"
} >"$out/LICENSE.txt"

echo "Samples written to $out:"
ls -l "$out"
