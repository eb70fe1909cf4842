#!/usr/bin/env bash
# Makes resources/screenshots/quillaran-window.png, the screenshot that software centres show
# from the AppStream metainfo: the real window of build/quillaran, 1280 x 800, on a captioned
# copy of samples/, under Xvfb with openbox and a fresh profile, so that no one's settings show.
#
#   scripts/make-screenshot.sh [DISPLAY]     (an unused X display, :99 by default)
#
# Needs a build (scripts/build.sh) and Xvfb, openbox, xdotool, x11-utils and ImageMagick;
# optipng, when present, makes the file smaller without changing a pixel.
set -euo pipefail
cd "$(dirname "$0")/.."
display="${1:-:99}"
build_dir="${QUILLARAN_BUILD_DIR:-build}"
out=resources/screenshots/quillaran-window.png
width=1280 height=800

for tool in Xvfb openbox xdotool xdpyinfo import; do
  command -v "$tool" >/dev/null || { echo "make-screenshot: $tool is missing" >&2; exit 1; }
done

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

album="$work/Summer walks"
mkdir -p "$album" "$work/config"
find samples -maxdepth 1 -type f ! -name LICENSE.txt -exec cp {} "$album/" \;

# Captions, written into the record file that quillaran-web saves for the album.
captions="$work/captions.txt"
cat >"$captions" <<'EOF'
Aitzgorri in autumn.jpg	Autumn beeches below Aitzgorri
bridge_cables.jpg	Bridge cables over the flats
dogs_at_the_window.jpg	Two dogs at the window
dandelions.jpg	Dandelion clocks in the morning sun
dragonfly.jpg	Dragonfly on a twig
Picos de Europa.jpg	Path into the Picos de Europa
stream_in_the_forest.jpg	Stream in the forest
Sommet – coucher d'été (2).jpg	Sunset from the summit
fig_on_red_plate.png	Fig on a red plate
paint_brushes.gif	Paint brushes
bird_lamp.bmp	Bird lamp
EOF
export XDG_CONFIG_HOME="$work/config"
# Thumbs of 180 pixels fill the window; the record file keeps the thumb size for the album.
"$build_dir/quillaran-web" --set ThumbSize=180 --list --save-record "$album" >/dev/null
awk -F '\t' -v OFS='\t' 'FNR == NR { caption[$1] = $2; next }
                         FNR > 1 && ($1 in caption) { $2 = caption[$1] } { print }' \
  "$captions" "$album/Quillaran.txt" >"$work/record" && mv "$work/record" "$album/Quillaran.txt"

Xvfb "$display" -screen 0 "$((width + 120))x$((height + 120))x24" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.2; done
export DISPLAY="$display"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$build_dir/quillaran" "$album" >/dev/null 2>&1 &
pids+=($!)
window="$(xdotool search --sync --onlyvisible --name '^Quillaran' | head -1)"
xdotool windowmove "$window" 40 40 windowsize "$window" "$width" "$height"
sleep 3  # loading and the first paint
# One sketch selected, as when working on the album.
xdotool mousemove --window "$window" 100 150 click 1 mousemove 0 0
sleep 1

mkdir -p "$(dirname "$out")"
# The window without openbox's frame, as the desktop draws its own.
import -window "$window" -strip "PNG24:$out"
command -v optipng >/dev/null && optipng -quiet -o7 -strip all "$out"
echo "Screenshot written to $out ($(stat -c %s "$out") bytes)"
