#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Release configuration, as a packager does, into build-release/
# and runs the whole test suite on it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOLANTOR_WERROR=ON \
    -DVOLANTOR_BUILD_BENCHMARKS=OFF
cmake --build build-release
QT_QPA_PLATFORM=offscreen ctest --test-dir build-release --output-on-failure --no-tests=error -j2
