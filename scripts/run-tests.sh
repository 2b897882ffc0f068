#!/usr/bin/env bash
# Sets everything up, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test, then fuzzes the number parser for a fixed number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=${JOBS:-2}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DEBS_SANITIZE=ON >/dev/null
cmake --build build/test -j"$jobs"
(cd build/test && ctest --output-on-failure -j"$jobs")

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug \
  -DEBS_BUILD_FUZZ=ON -DEBS_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz --target fuzz_ParseNumberText -j"$jobs"
./build/fuzz/tests/fuzz/fuzz_ParseNumberText -runs="${FUZZ_RUNS:-200000}" -max_len=600 \
  tests/fuzz/corpus 2>&1 | tail -n 3
