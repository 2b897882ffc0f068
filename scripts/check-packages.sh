#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the calculator as Linux desktop software: validates its desktop entry
# and AppStream metadata, builds the three Debian packages, has lintian find
# no error in them, installs them with apt-get, opens the installed calculator on
# a virtual display (its 655 x 397 window, closed with its "X" button), and
# builds a program against the installed development package and runs a QML
# program on the installed QML module. Installs into
# the system: meant for CI and throwaway machines. The last line counts the
# checks.
set -euo pipefail
cd "$(dirname "$0")/.."
checks=0
pass() { checks=$((checks + 1)); echo "ok: $*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

id=org.velocidadebs.velocidad
desktop-file-validate "app/desktop/$id.desktop"
pass "desktop-file-validate $id.desktop"
appstreamcli validate --no-net "app/desktop/$id.metainfo.xml"
pass "appstreamcli validate --no-net $id.metainfo.xml"

bash scripts/make-packages.sh
packages=build/deb/packages
calculator=$(ls "$packages"/velocidad-ebs_*.deb)
qml=$(ls "$packages"/qml6-module-dialgauge_*.deb)
development=$(ls "$packages"/libdialgauge-dev_*.deb)
for deb in "$calculator" "$qml" "$development"; do
  # Errors fail; warnings and notes are shown.
  lintian --fail-on error "$deb" 2>/dev/null || fail "lintian errors in $(basename "$deb")"
  pass "lintian: no errors in $(basename "$deb")"
done
# The library comes from the calculator's package, at exactly its version.
for deb in "$qml" "$development"; do
  [ "$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep -c 'velocidad-ebs (= ')" = 1 ] ||
    fail "$(basename "$deb") does not depend once on velocidad-ebs at its version"
done

export DEBIAN_FRONTEND=noninteractive
# A same-version package already installed would not be replaced: start clean.
for package in libdialgauge-dev qml6-module-dialgauge velocidad-ebs; do
  if dpkg -s "$package" >/dev/null 2>&1; then apt-get purge -y -qq "$package" >/dev/null; fi
done
apt-get install -y -qq "./$calculator" >/dev/null
[ -x /usr/bin/Velocidad ] || fail "/usr/bin/Velocidad not installed"
pass "apt-get install ./$(basename "$calculator")"
dpkg -L velocidad-ebs | grep -q '/qml/' && fail "velocidad-ebs carries QML files"
apt-get install -y -qq "./$qml" >/dev/null
pass "apt-get install ./$(basename "$qml")"
apt-get install -y -qq "./$development" >/dev/null
pass "apt-get install ./$(basename "$development")"

# The installed calculator on a virtual display, no window manager: its window
# appears at 655 x 397 and its "X" button (at 630..651, 2..18) ends it with 0.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  /usr/bin/Velocidad & app=$!
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --class Velocidad 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.05
  done
  [ -n "${window:-}" ] || { echo "no window"; exit 1; }
  size=$(xwininfo -id "$window" | awk "/Width:/ { w = \$2 } /Height:/ { h = \$2 } END { print w \"x\" h }")
  [ "$size" = 655x397 ] || { echo "window is $size"; exit 1; }
  # The window carries the application icon (Qt hands the window manager
  # every size the icon has, up to 256 px).
  icon=$(xprop -id "$window" _NET_WM_ICON)
  grep -q "Icon (48 x 48)" <<<"$icon" || { echo "no window icon"; exit 1; }
  xdotool mousemove --window "$window" 640 10 click 1
  for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
  wait "$app"
' || fail "the installed calculator did not open its 655 x 397 window and close cleanly"
pass "installed Velocidad opened its 655 x 397 window with its icon under xvfb-run and closed with 0"

# Programs built against the installed development package alone.
consumer=build/deb/consumer-installed
rm -rf "$consumer"
cmake -S tests/package -B "$consumer" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$consumer" -j"${JOBS:-2}" >/dev/null
QT_QPA_PLATFORM=offscreen "$consumer/dialgauge_consumer"
pass "tests/package built against the installed libdialgauge-dev ran offscreen"
# The QML module, in Qt's own import folder.
dpkg -L qml6-module-dialgauge | grep -q '/qml/DialGauge/qmldir$' || fail "qml6-module-dialgauge carries no qmldir"
QT_QPA_PLATFORM=offscreen "$consumer/dialgauge_qmlconsumer" "$(qtpaths6 --query QT_INSTALL_QML)"
pass "a QML program imports the installed DialGauge module from Qt's import folder"
gallery=build/deb/gallery-installed
rm -rf "$gallery"
cmake -S examples/gallery -B "$gallery" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$gallery" -j"${JOBS:-2}" >/dev/null
QT_QPA_PLATFORM=offscreen "$gallery/dialgauge_gallery" --selftest
pass "the gallery example built against the installed libdialgauge-dev passed its self-test"

echo "desktop and package checks: $checks passed"
