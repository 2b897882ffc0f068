#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the DialGauge library from a release build into a temporary
# prefix, lists what was installed, and checks it as a consumer sees it: the
# SONAME links, the headers, the exported symbols (the public API, nothing
# of the calculator), a program built against the CMake package and against
# pkg-config and run offscreen, a program that reaches for calculator code
# and must not link, the Designer plugin in Qt's plugin folder below the
# prefix (loaded from there), the QML module in Qt's import folder below the
# prefix (a QML program imports it from there; qmllint knows its types), the
# QML gallery, the gallery example (its self-test and a
# screenshot) and the guide's minimal example. The last line counts the checks.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
build=build/deb
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

checks=0
pass() { checks=$((checks + 1)); echo "ok: $*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

bash scripts/release-build.sh DialGauge DialGaugeDesigner DialGaugeQuick
for component in DialGauge_Runtime DialGauge_Qml DialGauge_Development; do
  cmake --install "$build" --prefix "$prefix" --component "$component" >/dev/null
done
echo "installed tree (find of the temporary prefix):"
(cd "$prefix" && find . -mindepth 1 \( -type l -printf '%p -> %l\n' \) -o -print | sort)

lib=$(find "$prefix" -name 'libDialGauge.so.1.0.0')
[ -n "$lib" ] || fail "libDialGauge.so.1.0.0 not installed"
libdir=$(dirname "$lib")
includes="$prefix/include/DialGauge"

# --- the library and its links
[ "$(readlink "$libdir/libDialGauge.so.1")" = libDialGauge.so.1.0.0 ] || fail "libDialGauge.so.1 link"
[ "$(readlink "$libdir/libDialGauge.so")" = libDialGauge.so.1 ] || fail "libDialGauge.so link"
readelf -d "$lib" | grep -q 'SONAME.*\[libDialGauge\.so\.1\]' || fail "SONAME is not libDialGauge.so.1"
pass "library 1.0.0 with SONAME libDialGauge.so.1 and both links"

# --- headers: public ones only, each including only installed headers
[ -f "$includes/DialGauge.h" ] || fail "DialGauge/DialGauge.h not installed"
for private in DialGaugePainter.h DialGaugePrivate.h DialGaugeReadout.h DialGaugeFacePainter.h DialGaugeAccessible.h \
               VectorDraw.h TGPGraphics.h WindowTimer.h NumberText.h SysErrors.h ErrorBox.h MainGauge.h; do
  [ ! -e "$includes/$private" ] || fail "private header $private installed"
done
for header in "$includes"/*.h; do
  if grep -n '^#include "' "$header"; then fail "$(basename "$header") includes by a source path"; fi
  for used in $(sed -n 's/^#include <DialGauge\/\(.*\)>/\1/p' "$header"); do
    [ -f "$includes/$used" ] || fail "$(basename "$header") includes $used, which is not installed"
  done
done
pass "$(ls "$includes" | wc -l) public headers, each including only installed headers"

# --- exported symbols
symbols=$(nm -D --defined-only -C "$lib" | cut -d' ' -f2-)
calculator='\b(TForm1|TForm2|CrushCalculation|CalculationFields|ErrorBox|MainGauge|Application|ParseNumberText|FormatNumberText|FormatPictureText)\b'
internal='\b(TDialGaugePrivate|TDialGaugeReadout|TDialGaugeAccessible|TGP[A-Za-z]*|TGdiplusBase|TWindowTimer|ArgbFromColor|Exception|EConvertError)\b'
if grep -E "$calculator" <<<"$symbols"; then fail "calculator symbols exported"; fi
pass "no calculator symbol exported"
if grep -E "$internal" <<<"$symbols"; then fail "internal symbols exported"; fi
pass "no drawing-layer or number-text symbol exported"
# A host outside the library (the QML module) makes, paints and invalidates
# a painter; nothing else of the painter is exported.
if grep -E '\bTDialGaugePainter::' <<<"$symbols" | grep -Ev 'TDialGaugePainter::(~?TDialGaugePainter|paint|invalidate|ValueChangeRegion)\('; then
  fail "painter internals exported"
fi
pass "of the painter only construction, paint, invalidate and the value's region exported"
# Everything exported is the public API (functions, data, vtables and type
# information of its classes), apart from copies of Qt's and the standard
# library's inline functions that the compiler emitted as weak symbols.
public='\b(TDialGauge[A-Za-z]*|IStyleInterface|DialGaugeTypes|ColorToRgb)\b'
linker='^[DB] (_edata|_end|__bss_start)$|^T (_init|_fini)$'
inline='^[Wu] (Q[A-Za-z]*|std)::'
if grep -Ev "$linker" <<<"$symbols" | grep -Ev "$public" | grep -Ev "$inline"; then
  fail "exported beyond the public API"
fi
api=$(grep -Ev "$linker" <<<"$symbols" | grep -Ec "$public")
pass "$api symbols of the public API exported, $(grep -Ec "$inline" <<<"$symbols") weak copies of Qt inline code, nothing else"

# --- a consumer through the CMake package
consumer="$build/consumer"
rm -rf "$consumer"
cmake -S tests/package -B "$consumer" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$consumer" -j"$jobs" >/dev/null
QT_QPA_PLATFORM=offscreen "$consumer/dialgauge_consumer"
pass "consumer built with find_package(DialGauge 1.0) ran offscreen"

rm -rf "$consumer-v2"
if cmake -S tests/package -B "$consumer-v2" -DCMAKE_PREFIX_PATH="$prefix" -DWANTED_VERSION=2.0 >/dev/null 2>&1; then
  fail "find_package(DialGauge 2.0) accepted version 1.0.0"
fi
rm -rf "$consumer-v2"
pass "find_package(DialGauge 2.0) refuses 1.0.0"

# --- the same consumer through pkg-config (Qt asks for -fPIC)
export PKG_CONFIG_PATH="$libdir/pkgconfig"
[ "$(pkg-config --modversion DialGauge)" = 1.0.0 ] || fail "pkg-config version"
# shellcheck disable=SC2046
c++ -std=c++20 -fPIC tests/package/main.cpp $(pkg-config --cflags --libs DialGauge) -o "$build/consumer-pkgconfig"
LD_LIBRARY_PATH="$libdir" QT_QPA_PLATFORM=offscreen "$build/consumer-pkgconfig"
pass "consumer built with pkg-config --cflags --libs DialGauge ran offscreen"

# --- calculator code cannot be reached through the library
if cmake --build "$consumer" --target reaches_calculator >"$build/reaches.log" 2>&1; then
  fail "a consumer linked calculator code"
fi
for name in 'CrushCalculation::run' 'ErrorBox::title' 'MainGauge::create' 'FormatNumberText' 'ArgbFromColor'; do
  grep -q "undefined reference to \`$name" "$build/reaches.log" || { cat "$build/reaches.log"; fail "$name did not fail to link"; }
done
pass "a consumer referring to calculator or internal code fails to link"

# --- the Designer plugin, where Designer looks for plugins under this prefix
qt_prefix=$(qtpaths6 --query QT_INSTALL_PREFIX)
qt_plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
plugin_dir="$prefix/${qt_plugins#"$qt_prefix"/}/designer"
plugin="$plugin_dir/libDialGaugeDesigner.so"
[ -f "$plugin" ] || fail "Designer plugin not installed at ${plugin#"$prefix"/}"
readelf -d "$plugin" | grep -q 'R.*PATH.*\$ORIGIN' || fail "the plugin does not find the library from where it lies"
used=$(ldd "$plugin" | sed -n 's/.*libDialGauge\.so\.1 => \([^ ]*\) .*/\1/p')
[ -n "$used" ] && [ "$(readlink -f "$used")" = "$(readlink -f "$libdir/libDialGauge.so.1")" ] ||
  { ldd "$plugin"; fail "the plugin does not use the installed library"; }
pass "Designer plugin installed in ${plugin_dir#"$prefix"/}, linked to the installed library"
QT_QPA_PLATFORM=offscreen "$consumer/dialgauge_loadplugin" "$plugin_dir"
pass "the installed plugin loads with QPluginLoader and serves QUiLoader"

# --- the QML module, where Qt Quick looks for modules under this prefix
qt_qml=$(qtpaths6 --query QT_INSTALL_QML)
qml_root="$prefix/${qt_qml#"$qt_prefix"/}"
qml_dir="$qml_root/DialGauge"
for file in qmldir DialGaugeQuick.qmltypes libDialGaugeQuick.so; do
  [ -f "$qml_dir/$file" ] || fail "QML module: $file not installed in ${qml_dir#"$prefix"/}"
done
grep -q '^module DialGauge$' "$qml_dir/qmldir" || fail "qmldir names no module DialGauge"
grep -q '^typeinfo DialGaugeQuick.qmltypes$' "$qml_dir/qmldir" || fail "qmldir names no type information"
readelf -d "$qml_dir/libDialGaugeQuick.so" | grep -q 'R.*PATH.*\$ORIGIN' || fail "the QML plugin does not find the library from where it lies"
used=$(ldd "$qml_dir/libDialGaugeQuick.so" | sed -n 's/.*libDialGauge\.so\.1 => \([^ ]*\) .*/\1/p')
[ -n "$used" ] && [ "$(readlink -f "$used")" = "$(readlink -f "$libdir/libDialGauge.so.1")" ] ||
  { ldd "$qml_dir/libDialGaugeQuick.so"; fail "the QML plugin does not use the installed library"; }
pass "QML module installed in ${qml_dir#"$prefix"/} with qmldir and type information, linked to the installed library"
QT_QPA_PLATFORM=offscreen "$consumer/dialgauge_qmlconsumer" "$qml_root"
pass "a QML program imports the installed module and draws a gauge offscreen"
qmllint="$(qtpaths6 --query QT_HOST_LIBEXECS)/qmllint"
[ -x "$qmllint" ] || qmllint="$(qtpaths6 --query QT_HOST_BINS)/qmllint"
"$qmllint" -I "$qml_root" examples/qml-gallery/main.qml || fail "qmllint finds fault with the QML gallery"
pass "qmllint, given the installed module, passes the QML gallery"
qml_gallery="$build/qml-gallery"
rm -rf "$qml_gallery"
cmake -S examples/qml-gallery -B "$qml_gallery" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$qml_gallery" -j"$jobs" >/dev/null
QML_IMPORT_PATH="$qml_root" QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
  "$qml_gallery/dialgauge_qml_gallery" --screenshot "$qml_gallery/qml-gallery.png" >/dev/null
[ -s "$qml_gallery/qml-gallery.png" ] || fail "the QML gallery saved no screenshot"
pass "the QML gallery runs on the installed module offscreen"

# --- the gallery example, a consumer that shows everything: its self-test
# drives the controls, then it saves a screenshot, both offscreen
gallery="$build/gallery"
rm -rf "$gallery"
cmake -S examples/gallery -B "$gallery" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$gallery" -j"$jobs" >/dev/null
QT_QPA_PLATFORM=offscreen "$gallery/dialgauge_gallery" --selftest
rm -f "$gallery/gallery.png"
QT_QPA_PLATFORM=offscreen "$gallery/dialgauge_gallery" --screenshot "$gallery/gallery.png"
[ -s "$gallery/gallery.png" ] || fail "the gallery saved no screenshot"
pass "gallery built against the package; its self-test and screenshot ran offscreen"

# --- the guide's minimal example: the files it quotes are these, word for
# word; they build against the package and run until stopped
quoted() { # the fenced block after the line <!-- $2 --> in $1
  awk -v marker="<!-- $2 -->" '$0 == marker { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' "$1"
}
for file in examples/minimal/CMakeLists.txt examples/minimal/main.cpp; do
  diff -u "$file" <(quoted docs/gauge.md "$file") || fail "docs/gauge.md does not quote $file as it is"
done
minimal="$build/minimal"
rm -rf "$minimal"
cmake -S examples/minimal -B "$minimal" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$minimal" -j"$jobs" >/dev/null
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$minimal/speed_dial" || status=$?
[ "$status" -eq 124 ] || fail "the minimal example ended by itself (status $status) instead of running"
pass "the guide's minimal example is quoted exactly, builds against the package and runs offscreen"

echo "package: $checks checks passed"
