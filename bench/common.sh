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
