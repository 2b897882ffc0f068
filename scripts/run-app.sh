#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets everything up, builds the calculator and starts it. Without a display
# it shows the calculator at work on a virtual one instead: the worked example
# typed on the keyboard, its results and a screenshot (build/run-app.png).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running the calculator on a virtual display (xvfb-run) and typing the worked example." >&2
  cmake -S . -B build/dev -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build build/dev --target RunAppDemo -j2
  exec env QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    ./build/dev/tests/manual/RunAppDemo build/run-app.png
fi
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DEBS_BUILD_TESTS=OFF -DEBS_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target Velocidad -j2
exec ./build/release/Velocidad
