#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the build, the tests and the calculator need.
set -euo pipefail
# qt6-tools-dev: Qt's Designer and UiTools modules (the Designer plugin and
# its tests); designer-qt6: the designer program (scripts/designer-shot.sh).
# qt6-declarative-dev and its tools: Qt Quick and qt_add_qml_module for the
# gauge's QML module, qmllint; the qml6-module-* packages: the QML modules
# the QML gallery example and its checks import.
packages=(cmake make g++ clang libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools qt6-tools-dev designer-qt6
          qt6-declarative-dev qt6-declarative-dev-tools qml6-module-qtquick qml6-module-qtquick-window
          qml6-module-qtquick-controls qml6-module-qtquick-layouts qml6-module-qtquick-templates
          qml6-module-qtqml-workerscript
          libjpeg-dev libbenchmark-dev fonts-dejavu-core fonts-liberation xvfb xauth
          libx11-dev libxtst-dev openbox x11-utils pkgconf librsvg2-bin
          dpkg-dev lintian desktop-file-utils appstream xdotool)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
