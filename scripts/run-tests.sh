#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets everything up, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test, checks the installed DialGauge package with a consumer
# built against it, builds, checks and installs the Debian packages (into this
# machine: run it as root on a machine you can spare, as CI does), then fuzzes
# the number reader, the calculation and the gauge for a fixed number of runs
# from a fixed seed (FUZZ_SEED).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=${JOBS:-2}

# Every source, build and script file names its licence.
if git rev-parse --git-dir >/dev/null 2>&1; then
  unlicensed=$(git ls-files '*.cpp' '*.h' '*.qml' '*.sh' '*.cmake' '*CMakeLists.txt' '*.in' .ci/run |
    xargs grep -L 'SPDX-License-Identifier: MIT' || true)
  [ -z "$unlicensed" ] || { echo "no SPDX licence line in:" $unlicensed >&2; exit 1; }
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DEBS_SANITIZE=ON >/dev/null
cmake --build build/test -j"$jobs"
(cd build/test && ctest --output-on-failure -j"$jobs") | tee build/test/ctest.log
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' build/test/ctest.log | tail -n 1)

JOBS="$jobs" bash scripts/check-package.sh | tee build/package.log
package=$(sed -n 's/^package: \([0-9]*\) checks passed$/\1/p' build/package.log)
# Desktop entry, AppStream metadata and Debian packages, installed into this
# machine and used from there.
bash scripts/check-packages.sh | tee build/packages.log
desktop=$(sed -n 's/^desktop and package checks: \([0-9]*\) passed$/\1/p' build/packages.log)

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug \
  -DEBS_BUILD_FUZZ=ON -DEBS_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz --target fuzz_ParseNumberText fuzz_CrushCalculation fuzz_DialGauge -j"$jobs"
# New inputs go to a scratch corpus in the build tree; the seeds stay as committed.
# A calculation run costs about ten parses, hence fewer runs.
fuzz() {
  local target=$1 runs=$2 seeds=$3
  shift 3
  mkdir -p "build/fuzz/corpus-$target"
  "./build/fuzz/tests/fuzz/fuzz_$target" -runs="$runs" -max_len=600 -seed="${FUZZ_SEED:-1}" "$@" \
    "build/fuzz/corpus-$target" "$seeds" 2>&1 | tail -n 3
}
fuzz ParseNumberText "${FUZZ_RUNS:-200000}" tests/fuzz/corpus
fuzz CrushCalculation "$(( ${FUZZ_RUNS:-200000} / 5 ))" tests/fuzz/corpus_calc
# Each gauge input builds two gauges and may paint up to 2000 x 2000 pixels
# (about 1.5 s under the sanitizers): a few thousand runs, with a time cap.
fuzz DialGauge "${FUZZ_GAUGE_RUNS:-3000}" tests/fuzz/corpus_gauge -max_total_time=300

# CTest's own summary is far above the fuzzers' output: repeat it last.
echo "tests: ${total:-0} passed, 0 failed; package checks: ${package:-0} passed;" \
  "desktop and Debian package checks: ${desktop:-0} passed"
