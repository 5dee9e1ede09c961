#!/usr/bin/env bash
# Checks the Debian package and its desktop files with the ecosystem's own tools: lintian
# (no error, no warning that the package does not override with its reason),
# desktop-file-validate, appstreamcli and xmllint on the MIME type.
# Usage: scripts/check_package.sh PACKAGE.deb
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$1
lintian --fail-on error,warning --display-info "$deb"
desktop-file-validate data/org.korvane.Korvane.desktop
appstreamcli validate --no-net --pedantic data/org.korvane.Korvane.metainfo.xml
xmllint --noout data/org.korvane.Korvane.mime.xml
# The MIME XML is also checked against the freedesktop schema when it is installed.
schema=/usr/share/xml/shared-mime-info/shared-mime-info.rng
[ ! -f "$schema" ] || xmllint --noout --relaxng "$schema" data/org.korvane.Korvane.mime.xml
echo "package checks passed"
