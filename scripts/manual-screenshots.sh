#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Paints the manual's pictures with volantor-cli, so they always show the
# program as it is. Run from anywhere; builds volantor-cli when it is missing.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cli="$build/bin/volantor-cli"
logs="$root/fuzz/corpus/recorder"
images="$root/docs/images"

if [[ ! -x "$cli" ]]; then
    [[ -f "$build/CMakeCache.txt" ]] || cmake -S "$root" -B "$build" -G Ninja -DVOLANTOR_BUILD_BENCHMARKS=OFF
    cmake --build "$build" --target volantor-cli -j2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The taxi log was recorded at another airfield: move it beside the circuit's
# runway (and stretch it five times) so that both paths share one picture.
awk 'NR <= 3 { print; next }
     { $3 = sprintf("%.6f", $3 - 51.47 + 47.4); $4 = sprintf("%.6f", -122.3005 + ($4 + 0.45) * 5); print }' \
    "$logs/taxi.dat" >"$work/taxi.dat"

mkdir -p "$images"
# The circuit is made current again so that it is the path drawn in blue; the
# raised view is zoomed out once so that the climb stays inside the picture.
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$cli" \
    "$logs/circuit.dat" "$work/taxi.dat" --previous --generate \
    --size 800x500 --png "$images/overhead.png" \
    --3d --zoom-out --png "$images/raised.png" >/dev/null

echo "Wrote $images/overhead.png and $images/raised.png"
