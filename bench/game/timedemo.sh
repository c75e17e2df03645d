#!/bin/sh
# The frame's cost along the timedemo route (tests/game/playthrough/route.txt)
# at 512 x 512 on one llvmpipe thread under Xvfb: the median frame with
# culling, without it, and a bare clear and swap, all in one run, with their
# ratios; then the culled frame split into its phases.
# Usage: bench/game/timedemo.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
export LP_NUM_THREADS=0
route="--timedemo tests/game/playthrough/route.txt --dt 0.025"

# Runs the rest of the line on a private X server; prints its standard error.
on_xvfb() { xvfb-run -a -s "-screen 0 1024x768x24" "$@" 2>&1 >/dev/null; }
median_of() { sed -n 's/.*median \([0-9.]*\),.*/\1/p'; }

culled=$(on_xvfb "$build/bin/compound" $route | grep '^timedemo:')
whole=$(on_xvfb "$build/bin/compound" $route --no-cull | grep '^timedemo:')
bare=$(xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/game_level_bench" --benchmark_filter=ClearAndSwap \
    --benchmark_repetitions=9 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    grep '_median' | cut -d, -f3)
phases=$(on_xvfb "$build/bin/compound" $route --breakdown | grep '^timedemo phases')

echo "culled:    $culled"
echo "no-cull:   $whole"
c=$(echo "$culled" | median_of)
w=$(echo "$whole" | median_of)
awk -v c="$c" -v w="$w" -v b="$bare" 'BEGIN {
    printf "bare clear and swap: median %.3f ms\n", b / 1000
    printf "culled / bare = %.1f, culled / no-cull = %.2f\n", c / (b / 1000), c / w
}'
echo "$phases"
