#!/usr/bin/env bash
# Starts what has been built: the desktop program on a display, otherwise (or with --web) the
# headless builder quillaran-web, which writes the web album of DIR and says where it is.
# Without a DIR the web album is made from a copy of the sample album in build/sample-album,
# so that the samples in the repository stay untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUILLARAN_BUILD_DIR:-build}"

web=0
if [ "${1:-}" = "--web" ]; then
  web=1
  shift
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  web=1
elif [ ! -x "$build_dir/quillaran" ]; then
  echo "The desktop program is not part of this build yet; making the web album instead."
  web=1
fi

if [ "$web" = 0 ]; then
  exec "$build_dir/quillaran" "$@"
fi

dir="${1:-}"
if [ -z "$dir" ]; then
  dir="$build_dir/sample-album"
  rm -rf "$dir"
  mkdir -p "$dir"
  find samples -maxdepth 1 -type f ! -name 'LICENSE.txt' -exec cp {} "$dir/" \;
  shift $(( $# > 0 ? 1 : 0 )) || true
else
  shift
fi
if index=$("$build_dir/quillaran-web" "$@" "$dir"); then
  echo "Web album written; its index page is $index"
else
  status=$?
  echo "quillaran-web could not make the web album of $dir (exit status $status)" >&2
  exit "$status"
fi
