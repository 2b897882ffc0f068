#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures the release build in build/deb the way the Debian packages are
# built (prefix /usr, Debian's build flags with full hardening) and builds the
# targets given (all when none). The package and install checks share it.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build/deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
  -DEBS_BUILD_TESTS=OFF -DEBS_BUILD_BENCH=OFF >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build/deb -j"${JOBS:-2}" "${targets[@]}"
