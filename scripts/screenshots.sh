#!/usr/bin/env bash
# Makes the guide's pictures (docs/guide/*.png) from the real windows, offscreen, so a
# changed window changes the guide. Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_GUI=ON -DKORVANE_TESTS=ON >/dev/null
cmake --build "$build" --target guide_screenshots
mkdir -p docs/guide
QT_QPA_PLATFORM=offscreen "$build/tests/screenshots/guide_screenshots" docs/guide examples
ls docs/guide
