#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets into build-fuzz/ and runs each for SECONDS
# (default 30) on its corpus in build-fuzz/corpus/, which starts from the seeds
# in fuzz/corpus/ and keeps what the runs add. Exits non-zero when a target
# crashes, leaks, hangs, runs out of memory or trips a sanitizer; the input
# that did it lands in build-fuzz/findings/TARGET/ and the run's output in
# build-fuzz/logs/TARGET.log.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

# clang with its sanitizer and libFuzzer runtimes
scripts/install-deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLANTOR_FUZZ=ON \
    -DVOLANTOR_WERROR=ON
cmake --build build-fuzz -j2

# Target, seed folder, longest input and extra options: a log of a few hundred
# lines, a document of a few hundred samples, enough bytes for four paths of
# 200 samples, a GPX file of about a hundred points, an IGC file of a few
# hundred fixes and a compiled scenery file of a few paths.
targets=(
    "fuzz_recorder_reader recorder 16384 -dict=fuzz/recorder.dict"
    "fuzz_document_file document 16384"
    "fuzz_pipeline pipeline 8192"
    "fuzz_gpx_reader gpx 16384 -dict=fuzz/gpx.dict"
    "fuzz_igc_reader igc 16384 -dict=fuzz/igc.dict"
    "fuzz_bgl_reader bgl 16384"
)

mkdir -p build-fuzz/logs
failed=()
summary=()
for entry in "${targets[@]}"; do
    read -r target seeds max_len extra <<<"$entry"
    corpus=build-fuzz/corpus/$target
    findings=build-fuzz/findings/$target
    log=build-fuzz/logs/$target.log
    mkdir -p "$corpus" "$findings"
    cp fuzz/corpus/"$seeds"/* "$corpus"/
    echo "Fuzzing $target for $seconds s"
    status=0
    # shellcheck disable=SC2086  # the extra options are separate words
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        build-fuzz/bin/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -artifact_prefix="$findings/" -print_final_stats=1 $extra "$corpus" \
        >"$log" 2>&1 </dev/null || status=$?
    runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
    if [ "$status" -ne 0 ] || [ -z "$runs" ]; then
        failed+=("$target")
        summary+=("$target: FAILED (exit status $status), see $log and $findings/")
        tail -n 60 "$log"
    else
        summary+=("$target: $runs executions in $seconds s")
    fi
done

echo
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
