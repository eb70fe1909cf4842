#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillaran (on DIR when given).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
exec scripts/start.sh "$@"
