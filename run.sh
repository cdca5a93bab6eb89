#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled league match.
# Arguments are passed to corvane-run.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" >/dev/null
if [ "$#" -eq 0 ]; then set -- league-match.cfg; fi
exec "$BUILD_DIR/bin/corvane-run" "$@"
