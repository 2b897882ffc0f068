#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the DialGauge library into a scratch prefix, builds the gallery
# example against it, and saves the gallery's window under a virtual X
# server to docs/gallery.png (or $1). The guide (docs/gauge.md) shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/gallery.png}
jobs=${JOBS:-2}
build=build/gallery-shot
mkdir -p "$(dirname "$out")"
# The library build is the package check's: same options, built once.
bash scripts/release-build.sh DialGauge
rm -rf "$build/prefix"
for component in DialGauge_Runtime DialGauge_Development; do
  cmake --install build/deb --prefix "$build/prefix" --component "$component" >/dev/null
done
cmake -S examples/gallery -B "$build/gallery" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$PWD/$build/prefix" >/dev/null
cmake --build "$build/gallery" -j"$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/gallery/dialgauge_gallery" --screenshot "$out"
