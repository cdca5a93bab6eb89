#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# Corpora live in build-fuzz/corpus/<target>, seeded from the bundled files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF \
  -DCORVANE_BUILD_GUI=OFF >/dev/null
cmake --build "$BUILD_DIR" >/dev/null

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "${f%.cpp}")"); done
fi

seed_corpus() {
  local target=$1 dir=$2
  mkdir -p "$dir"
  case "$target" in
    fuzz_competition_file) cp -n Scripts/*.cfg "$dir"/ 2>/dev/null || true ;;
    fuzz_heat_line) cp -n Scripts/*.cfg fuzz/corpus/heat_line/* "$dir"/ 2>/dev/null || true ;;
    fuzz_rider_database) cp -n Lineups/*.rdb "$dir"/ 2>/dev/null || true ;;
    fuzz_meeting_file) cp -n fuzz/corpus/meeting_file/* "$dir"/ 2>/dev/null || true ;;
    fuzz_season_file) cp -n fuzz/corpus/season_file/* "$dir"/ 2>/dev/null || true ;;
  esac
}

for target in "${targets[@]}"; do
  corpus="$BUILD_DIR/corpus/$target"
  seed_corpus "$target" "$corpus"
  echo "== $target: ${seconds}s" >&2
  "$BUILD_DIR/bin/$target" "$corpus" -max_total_time="$seconds" -max_len=65536 \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 2>&1 | grep -E '^(stat::|#[0-9]+[[:space:]]+DONE|==[0-9]+==|SUMMARY)' || true
  if ls crash-* leak-* timeout-* oom-* >/dev/null 2>&1; then
    echo "$target found a problem: $(ls crash-* leak-* timeout-* oom-* 2>/dev/null)" >&2
    exit 1
  fi
done
