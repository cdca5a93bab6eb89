#!/usr/bin/env bash
# Installs what the command-line program needs, builds it, and races the bundled league match.
# Arguments are passed to corvane-run. ./test.sh builds and checks everything else.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh cmake ninja-build g++ libsqlite3-dev libicu-dev
BUILD_DIR=${BUILD_DIR:-build-run}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_GUI=OFF \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF >/dev/null
# Progress lines are left out; a compiler's messages are shown as it printed them.
if ! log=$(cmake --build "$BUILD_DIR" --target corvane-run corvane_data 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
# Without a competition (a .cfg argument) or a meeting file to resume, the bundled league match.
needs_competition=1
for arg in "$@"; do
  case "$arg" in
    *.cfg|*.CFG|--resume|--resume=*|--check|--check=*|-h|--help|--version) needs_competition=0 ;;
  esac
done
if [ "$needs_competition" -eq 1 ]; then set -- "$@" league-match.cfg; fi
exec "$BUILD_DIR/bin/corvane-run" "$@"
