#!/bin/sh
# The game's start-up: the wall time from launching build/bin/compound with
# the default map and window to its exit after the first frame (--frames 1),
# over RUNS runs, as the median and the slowest. The exit comes after the
# first frame's swap and the closing of the window, so the figure is an
# upper bound on the time to the first frame. All the runs share one Xvfb,
# started before the first and not counted.
# Usage: bench/game/startup.sh [BUILD_DIR] [RUNS]   (default: build 11)
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-11}
case "$runs" in '' | *[!0-9]* | 0) echo "startup.sh: RUNS is a count of runs, at least 1" >&2; exit 2 ;; esac
game="$build/bin/compound"
[ -x "$game" ] || { echo "startup.sh: no $game; build first" >&2; exit 1; }

work=$(mktemp -d)
xvfb=
stop() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' INT TERM HUP

# Xvfb picks a free display and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
waited=0
while [ ! -s "$work/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
    [ "$waited" -lt 100 ] || { echo "startup.sh: Xvfb did not answer in 10 s" >&2; exit 1; }
    sleep 0.1
    waited=$((waited + 1))
done
DISPLAY=:$(cat "$work/display")
export DISPLAY

run=0
while [ "$run" -lt "$runs" ]; do
    start=$(date +%s%N)
    "$game" --frames 1 >/dev/null 2>"$work/stderr" || {
        echo "startup.sh: compound failed:" >&2
        cat "$work/stderr" >&2
        exit 1
    }
    end=$(date +%s%N)
    echo $(((end - start) / 1000)) >>"$work/microseconds"
    run=$((run + 1))
done

sort -n "$work/microseconds" | awk -v runs="$runs" '
    { us[NR] = $1 }
    END {
        median = NR % 2 ? us[(NR + 1) / 2] : (us[NR / 2] + us[NR / 2 + 1]) / 2
        printf "start-up to the first frame (launch to exit after it), %d runs: median %.3f s, max %.3f s\n",
            runs, median / 1e6, us[NR] / 1e6
    }'
