#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
build_dir="${QUILLARAN_BUILD_DIR:-build}"
cd "$build_dir"
ctest --output-on-failure -j2 --timeout 300
