#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillaran (on DIR when given).
set -euo pipefail
# Paths given on the command line are taken from where the command was given.
export QUILLARAN_CALLER_DIR="$PWD"
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
exec scripts/start.sh "$@"
