#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled league match.
# Arguments are passed to corvane-run.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" >/dev/null
# Without a competition (a .cfg argument) or a meeting file to resume, the bundled league match.
needs_competition=1
for arg in "$@"; do
  case "$arg" in
    *.cfg|*.CFG|--resume|-h|--help|--version) needs_competition=0 ;;
  esac
done
if [ "$needs_competition" -eq 1 ]; then set -- "$@" league-match.cfg; fi
exec "$BUILD_DIR/bin/corvane-run" "$@"
