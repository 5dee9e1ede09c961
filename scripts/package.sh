#!/usr/bin/env bash
# Builds the Debian package korvane_VERSION_ARCH.deb with CPack from the install rules, in
# BUILD_DIR (default build), and prints its path. Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/deps.sh build
# dpkg-shlibdeps finds the exact packages of the libraries the programs link.
command -v dpkg-shlibdeps >/dev/null || scripts/deps.sh test
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_GUI=ON -DKORVANE_TESTS=ON >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/korvane_*.deb
