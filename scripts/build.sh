#!/usr/bin/env bash
# Configures (once) and builds Quillaran into build/ (or $QUILLARAN_BUILD_DIR).
# Extra arguments go to the CMake configure step, e.g. -DQUILLARAN_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${QUILLARAN_BUILD_DIR:-build}"
if [ ! -f "$build_dir/build.ninja" ] || [ $# -gt 0 ]; then
  cmake -S . -B "$build_dir" -G Ninja "$@"
fi
cmake --build "$build_dir" -j2
