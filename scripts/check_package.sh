#!/usr/bin/env bash
# Checks the Debian package and the desktop files it installs with the ecosystem's own
# tools: lintian (no error, and no warning that the package does not override with its
# reason), desktop-file-validate, appstreamcli and xmllint on the MIME type.
# Usage: scripts/check_package.sh PACKAGE.deb
set -euo pipefail
deb=$1
lintian --fail-on error,warning --display-info "$deb"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.korvane.Korvane.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/org.korvane.Korvane.metainfo.xml"
xmllint --noout "$root/usr/share/mime/packages/org.korvane.Korvane.xml"
echo "package checks passed"
