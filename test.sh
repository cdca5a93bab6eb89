#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the test suite, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of every fuzzer.
# Exits non-zero when anything fails. CORVANE_QUICK=1 runs the plain test suite only.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
jobs=$(nproc)

echo "== Build and test" >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${CORVANE_QUICK:-0}" = 1 ]; then exit 0; fi

echo "== Sanitizers (address, undefined behaviour)" >&2
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON \
  -DCORVANE_BUILD_GUI=OFF -DCORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzzers, ${CORVANE_FUZZ_SECONDS:-20} s each" >&2
./scripts/fuzz.sh "${CORVANE_FUZZ_SECONDS:-20}"
