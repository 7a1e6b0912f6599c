#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core with the address and undefined-behaviour sanitizers and runs
# its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVOLANTOR_SANITIZE=ON -DVOLANTOR_WERROR=ON \
    -DVOLANTOR_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$PWD/scripts/lsan-suppressions.txt" QT_QPA_PLATFORM=offscreen \
    ctest --test-dir build-sanitize --output-on-failure --no-tests=error -L core -j2
