# What the benchmark scripts share; sourced by them, after `set -euo pipefail`.
# root and build_dir: the repository and its build (QUILLARAN_BUILD_DIR, else build/).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${QUILLARAN_BUILD_DIR:-$root/build}"

# Configures the build when it has never been, then builds the targets named.
bench_build() {
  if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja
  fi
  cmake --build "$build_dir" --target "$@" -j2 >/dev/null
}

# A scratch folder, work, removed at the end, with a profile and a cache of its own so that
# the user's settings and kept sketches do not change the figures.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
export XDG_CACHE_HOME="$work/cache"

# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# copy_set FROM TO COPIES: every JPEG of FROM copied COPIES times into TO, as c<copy>_<name>
# (copy from 0): a set of many files from a few photos, each a file of its own that costs the
# same to read as the photo it copies.
copy_set() {
  mkdir -p "$2"
  for copy in $(seq 0 $(($3 - 1))); do
    for file in "$1"/*.jpg; do
      cp "$file" "$2/c${copy}_$(basename "$file")"
    done
  done
}
