#!/usr/bin/env bash
# Draws the dialectical diagram of every example that docs/gallery.md presents into
# docs/gallery/NAME.png, with korvane-cli render. Usage: scripts/gallery.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_GUI=ON -DKORVANE_TESTS=ON >/dev/null
cmake --build "$build" --target korvane-cli
mkdir -p docs/gallery
for name in $(sed -n 's/^## .*`examples\/\([^`]*\)\.lin`.*/\1/p' docs/gallery.md); do
  QT_QPA_PLATFORM=offscreen "$build/src/cli/korvane-cli" render "examples/$name.lin" --view dialectical \
    --width 760 --output "docs/gallery/$name.png"
done
ls docs/gallery
