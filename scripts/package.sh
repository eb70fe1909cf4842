#!/usr/bin/env bash
# Builds Quillaran and makes the Debian package of it, quillaran_<version>_<arch>.deb in
# build/ (or $QUILLARAN_BUILD_DIR), with cpack. Its dependencies are found by dpkg-shlibdeps
# from the libraries the programs link. Install it with: sudo apt install ./build/quillaran_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
build_dir="${QUILLARAN_BUILD_DIR:-build}"
(cd "$build_dir" && cpack -G DEB)
