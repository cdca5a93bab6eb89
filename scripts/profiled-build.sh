#!/usr/bin/env bash
# A Release build optimised with profile feedback and across files, as the package is built:
# a first build of corvane-run records what racing the bundled competitions runs (many meetings
# of each, and twenty reports of each), and the second build is optimised for it.
#   scripts/profiled-build.sh BUILD_DIR [CMAKE_ARGUMENTS...]
# Builds every target the arguments select. Build output goes to standard output.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?usage: scripts/profiled-build.sh BUILD_DIR [CMAKE_ARGUMENTS...]}
shift
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON \
  -DCORVANE_PROFILE=generate "$@" >/dev/null
cmake --build "$dir" --target corvane-run corvane_data -j"${JOBS:-2}"
find "$dir" -name '*.gcda' -delete
for competition in Scripts/*.cfg; do
  name=$(basename "$competition")
  "$dir/bin/corvane-run" --runs 2000 --threads 1 --seed 1 "$name" >/dev/null
  for seed in $(seq 2 21); do "$dir/bin/corvane-run" --seed "$seed" "$name" >/dev/null; done
done
cmake -S . -B "$dir" -DCORVANE_PROFILE=use >/dev/null
cmake --build "$dir" -j"${JOBS:-2}"
