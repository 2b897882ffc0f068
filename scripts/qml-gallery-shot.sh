#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the DialGauge library and its QML module into a scratch prefix,
# builds the QML gallery example, and saves its window under a virtual X
# server to docs/qml-gallery.png (or $1). The guide (docs/gauge.md) shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/qml-gallery.png}
jobs=${JOBS:-2}
build=build/qml-gallery-shot
mkdir -p "$(dirname "$out")"
# The library build is the package check's: same options, built once.
bash scripts/release-build.sh DialGauge DialGaugeQuick
rm -rf "$build/prefix"
for component in DialGauge_Runtime DialGauge_Qml; do
  cmake --install build/deb --prefix "$build/prefix" --component "$component" >/dev/null
done
qml=$(find "$PWD/$build/prefix" -name qmldir -path '*/DialGauge/*' -printf '%h\n' | head -n 1)
[ -n "$qml" ] || { echo "the QML module was not installed" >&2; exit 1; }
cmake -S examples/qml-gallery -B "$build/qml-gallery" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/qml-gallery" -j"$jobs"
QML_IMPORT_PATH=$(dirname "$qml") xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/qml-gallery/dialgauge_qml_gallery" --screenshot "$out"
