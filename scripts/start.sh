#!/usr/bin/env bash
# Starts what has been built: the desktop program on a display, otherwise (or with --web) the
# headless builder quillaran-web, which writes the web album of DIR and says where it is; its
# options pass through (./run.sh --web --set WebForPhones=1 DIR, ./run.sh --web --help).
# Without a DIR the web album is made from a copy of the sample album in build/sample-album,
# so that the samples in the repository stay untouched. Relative paths are taken from the
# folder the command was given in.
set -euo pipefail
caller="${QUILLARAN_CALLER_DIR:-$PWD}"
cd "$(dirname "$0")/.."
build_dir="$(realpath -m "${QUILLARAN_BUILD_DIR:-build}")"

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
  cd "$caller"
  exec "$build_dir/quillaran" "$@"
fi

# The folder is the argument that is neither an option nor an option's value; --help,
# --version and --list write no album.
dir=""
writes_album=1
takes_value=0
options_ended=0
for arg in "$@"; do
  if [ "$takes_value" = 1 ]; then
    takes_value=0
  elif [ "$options_ended" = 1 ]; then
    dir="$arg"
  else
    case "$arg" in
      --) options_ended=1 ;;
      --set | --caption | --date | --threads) takes_value=1 ;;
      --help | -h | --version | --list) writes_album=0 ;;
      -*) ;;
      *) dir="$arg" ;;
    esac
  fi
done
if [ "$writes_album" = 0 ]; then
  cd "$caller"
  exec "$build_dir/quillaran-web" "$@"
fi
if [ -z "$dir" ]; then
  dir="$build_dir/sample-album"
  rm -rf "$dir"
  mkdir -p "$dir"
  find samples -maxdepth 1 -type f ! -name 'LICENSE.txt' -exec cp {} "$dir/" \;
  set -- "$@" "$dir"
fi
cd "$caller"
if index=$("$build_dir/quillaran-web" "$@"); then
  echo "Web album written; its index page is $index"
else
  status=$?
  echo "quillaran-web could not make the web album of $dir (exit status $status)" >&2
  exit "$status"
fi
