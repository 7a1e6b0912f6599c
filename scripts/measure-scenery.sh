#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times whole volantor-cli runs of "--generate --bgl --sca" on a document of 50
# one-hour flights like those of bench/SceneryBenchmark.cpp, and prints the
# CPU seconds (user + system) of each run and their median.
# Usage: scripts/measure-scenery.sh [path/to/volantor-cli] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/bin/volantor-cli}")
runs=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for i in $(seq 0 49); do
    awk -v idx="$i" 'BEGIN {
        d2r = 3.141592654 / 180; mpd = 111137
        lat = 47.40 + 0.004 * idx; lon = -122.30 + 0.003 * idx
        heading = (37 * idx) % 360; alt = 400; period = 600 + 10 * (idx % 7)
        print "# ORVEX Flight Data Recorder version 6"; print "benchmark flight"; print "columns"
        for (t = 0; t < 3600; t++) {
            rolling = t < 40 || t > 3540
            speed = rolling ? (t < 40 ? t * 1.25 : 20) : 50
            climb = 0; pitch = 0; bank = 0
            if (t >= 40 && t < 400) { climb = 10; pitch = 6 }
            else if (t >= 3200 && t <= 3540) { climb = -10; pitch = -3 }
            if (!rolling && t >= 400 && t % period < 30) {
                heading = (heading + (idx % 2 ? 3 : -3) + 360) % 360
                bank = idx % 2 ? 22 : -22
            }
            heading = (heading + 0.15 * sin(t * 0.7 + idx) + 360) % 360
            pitch += 0.3 * sin(t * 1.3); bank += 0.5 * sin(t * 0.9)
            alt = alt + climb < 400 ? 400 : alt + climb
            lat += speed * cos(heading * d2r) / mpd
            lon += speed * sin(heading * d2r) / (mpd * cos(lat * d2r))
            gear = t > 70 && t < 3480 ? "u" : "d"
            printf "%d 12:00:00 %.6f %.6f %.1f %.2f %.2f %.2f 0 0 0 0 0 0 %s 0 run\n", t, lat, lon, alt, pitch, bank, heading, gear
        }
    }' > "$work/flight$i.dat"
done
"$cli" "$work"/flight*.dat --save "$work/flights.vol" > /dev/null

TIMEFORMAT='%U %S'
for run in $(seq "$runs"); do
    { time "$cli" "$work/flights.vol" --generate --bgl "$work/out.bgl" --sca "$work/out.sca" > /dev/null; } \
        2>> "$work/times"
done
awk '{ printf "%.3f\n", $1 + $2 }' "$work/times" | tee "$work/cpu" | tr '\n' ' '
echo
sort -n "$work/cpu" | awk '{ v[NR] = $1 } END { printf "median CPU seconds: %.3f (%d runs)\n", v[int((NR + 1) / 2)], NR }'
