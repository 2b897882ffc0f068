#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Photographs Qt Designer with the gauge's plugin: the test form with its two
# gauges, DialGauge1 selected, the widget box filtered to it and the property
# editor showing its properties by dotted name. Saved to
# docs/gauge-designer.png (or $1). Runs Designer on its own virtual X server
# with openbox and fresh settings, so every window lands where it is put.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/gauge-designer.png}
mkdir -p "$(dirname "$out")"
cmake -S . -B build/dev -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/dev --target DialGaugeDesigner GrabScreen -j2

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)

# Each tool in its own window (top-level mode), so each can be placed.
mkdir -p "$scratch/config/QtProject"
printf '[UI]\ncurrentMode=1\n' > "$scratch/config/QtProject/Designer.conf"
HOME=$scratch XDG_CONFIG_HOME=$scratch/config QT_PLUGIN_PATH=$PWD/build/dev/plugins \
  /usr/lib/qt6/bin/designer tests/designer/forms/GaugeForm.ui >"$scratch/designer.log" 2>&1 &
pids+=($!)

window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
form=$(window 'GaugeForm.ui')
sleep 1
xdotool windowmove "$form" 0 0
xdotool windowsize "$(window '^Qt Designer$')" 300 535 windowmove "$(window '^Qt Designer$')" 0 355
xdotool windowsize "$(window '^Object Inspector')" 330 535 windowmove "$(window '^Object Inspector')" 305 355
xdotool windowsize "$(window '^Property Editor')" 480 890 windowmove "$(window '^Property Editor')" 640 0
for other in 'Resource Browser' 'Action Editor' 'Signal/Slot Editor'; do
  xdotool windowminimize "$(window "^$other")"
done
sleep 1

xdotool mousemove 131 486 click 1 && sleep 0.3 && xdotool type --delay 40 'Dial'  # widget box filter
xdotool mousemove 152 110 click 1 && sleep 1                                      # select DialGauge1
xdotool mousemove 650 141 click 1 && sleep 0.3                                    # fold QWidget
xdotool mousemove 650 105 click 1 && sleep 0.3                                    # fold QObject
xdotool mousemove 789 87 mousedown 1 mousemove 900 87 mouseup 1                   # widen the names
xdotool mousemove 620 890 && sleep 1

./build/dev/tests/manual/GrabScreen "$out" 0 0 1122 892
echo "saved $out"
