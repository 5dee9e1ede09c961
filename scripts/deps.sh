#!/usr/bin/env bash
# Installs the Debian packages Korvane needs, only those that are missing.
# Usage: scripts/deps.sh [build|test]   (test also brings the fuzzing and screenshot tools, the
# tools the interop tests read exports with, and those that make and check the Debian package)
set -euo pipefail
# The diagrams are drawn in DejaVu Sans: regular and bold come with -core, the oblique faces
# of unjustified statements with -extra (without them Qt slants the text itself).
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-dejavu-core fonts-dejavu-extra help2man
          nlohmann-json3-dev
          googletest libgtest-dev libgmock-dev libbenchmark-dev)
if [ "${1:-build}" = test ]; then
  packages+=(clang clang-14 libclang-rt-14-dev graphviz python3-networkx nodejs)
  # The Debian package is made and checked by the ecosystem's own tools.
  packages+=(dpkg-dev file lintian desktop-file-utils appstream libxml2-utils bash-completion)
  # Some Node.js builds bring npm along; Debian's own would clash with them.
  command -v npm >/dev/null || packages+=(npm)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
# No recommends: the extra fonts they pull in change which font a family name resolves to.
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
