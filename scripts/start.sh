#!/usr/bin/env bash
# Starts the program that has been built.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUILLARAN_BUILD_DIR:-build}"

if [ -x "$build_dir/quillaran" ]; then
  exec "$build_dir/quillaran" "$@"
fi
echo "Quillaran is built (core library and tests); the desktop program is not part of this build yet."
