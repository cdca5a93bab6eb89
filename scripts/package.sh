#!/usr/bin/env bash
# Builds the Debian package: a Release build of the programs optimised with profile feedback
# (scripts/profiled-build.sh; no tests or benchmarks) in build-package/, packed by CPack from
# the install rules into build-package/corvane_*.deb.
# The desktop entries and metainfo are checked on the way, and lintian's verdict on the package
# is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-dev and file let CPack work out the package's library dependencies.
./scripts/install-deps.sh cmake ninja-build g++ libsqlite3-dev qt6-base-dev libicu-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev dpkg-dev \
  file desktop-file-utils appstream help2man librsvg2-bin lintian
BUILD_DIR=${BUILD_DIR:-build-package}
# Build errors are on standard output: show them when the build fails.
if ! log=$(./scripts/profiled-build.sh "$BUILD_DIR" -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_BINDIR=games -DCORVANE_HARDENING=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF 2>&1); then
  echo "$log" >&2
  exit 1
fi
desktop-file-validate desktop/corvane.desktop desktop/tavrel.desktop
appstreamcli validate --no-net desktop/*.metainfo.xml >/dev/null
rm -f "$BUILD_DIR"/corvane_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/corvane_*.deb)
echo "$deb"
# Errors and warnings that are not overridden fail the build; pedantic notes are only shown.
if lintian --pedantic --fail-on error,warning "$deb"; then
  echo "lintian: no errors or warnings"
else
  echo "lintian: the package has errors or warnings (above)" >&2
  exit 1
fi
