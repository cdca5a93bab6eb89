#!/usr/bin/env bash
# Builds the Debian package: a Release build of the programs optimised with profile feedback
# (scripts/profiled-build.sh; no tests or benchmarks) in build-package/, packed by CPack from
# the install rules into build-package/corvane_*.deb.
# The desktop entries are checked with desktop-file-validate on the way.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-dev and file let CPack work out the package's library dependencies.
./scripts/install-deps.sh cmake ninja-build g++ qt6-base-dev qt6-svg-dev dpkg-dev file desktop-file-utils
BUILD_DIR=${BUILD_DIR:-build-package}
# Build errors are on standard output: show them when the build fails.
if ! log=$(./scripts/profiled-build.sh "$BUILD_DIR" -DCMAKE_INSTALL_PREFIX=/usr \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF 2>&1); then
  echo "$log" >&2
  exit 1
fi
desktop-file-validate desktop/corvane.desktop desktop/tavrel.desktop
rm -f "$BUILD_DIR"/corvane_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
ls "$BUILD_DIR"/corvane_*.deb
