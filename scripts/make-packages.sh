#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages of the calculator (velocidad-ebs), of the
# DialGauge QML module (qml6-module-dialgauge) and of the DialGauge
# development files (libdialgauge-dev) into build/deb/packages,
# with Debian's usual build flags (hardening included), and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/deb

bash scripts/release-build.sh
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >/dev/null)
for deb in "$build"/packages/*.deb; do
  echo "== $(basename "$deb"): Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
  dpkg-deb -f "$deb" Depends | sed 's/^/Depends: /'
  dpkg-deb -c "$deb" | awk '{ $1 = $2 = $4 = $5 = ""; sub(/^ +/, ""); print "  " $0 }'
done
