#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a program on its own virtual X server (1024x768), either with no window
# manager or under openbox:  run-on-x.sh none|openbox program [arguments]
set -euo pipefail
wm=$1
shift
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$wm" --inside "$@"
fi
shift
export E2E_WINDOW_MANAGER=$wm
export QT_QPA_PLATFORM=xcb
if [ "$wm" = openbox ]; then
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  trap 'kill "$wm_pid" 2>/dev/null || true' EXIT
  # Ready once it names its check window on the root window.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
fi
"$@"
