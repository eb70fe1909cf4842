#!/usr/bin/env bash
# Builds Quillaran as Debian builds its packages (fortified, stack-protected, full RELRO; no
# tests or benchmarks) in build-package/ (or $QUILLARAN_BUILD_DIR) and makes the Debian
# package of it there, quillaran_<version>_<arch>.deb, with cpack. Its dependencies are found
# by dpkg-shlibdeps from the libraries the programs link.
# Install it with: sudo apt install ./build-package/quillaran_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

export QUILLARAN_BUILD_DIR="${QUILLARAN_BUILD_DIR:-build-package}"
scripts/install-deps.sh
scripts/build.sh -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLARAN_HARDEN=ON -DQUILLARAN_TESTS=OFF \
  -DQUILLARAN_BENCH=OFF
(cd "$QUILLARAN_BUILD_DIR" && cpack -G DEB)
