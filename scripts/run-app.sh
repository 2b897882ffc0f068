#!/usr/bin/env bash
# Sets everything up, builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DEBS_BUILD_TESTS=OFF -DEBS_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target Velocidad -j2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under xvfb-run (the window is invisible)." >&2
  exec xvfb-run -a ./build/release/Velocidad
fi
exec ./build/release/Velocidad
