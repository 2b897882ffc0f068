#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the screenshot program, runs it on a virtual X server and saves the
# main window after the worked example to docs/screenshot.png (or $1).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
mkdir -p "$(dirname "$out")"
cmake -S . -B build/dev -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/dev --target Screenshot -j2
xvfb-run -a -s "-screen 0 1024x768x24" ./build/dev/tests/manual/Screenshot "$out"
echo "saved $out"
