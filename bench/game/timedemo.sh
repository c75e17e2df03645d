#!/bin/sh
# The frame's cost along the timedemo route (tests/game/playthrough/route.txt)
# under Xvfb, at 512 x 512 and 1024 x 768, first with llvmpipe's default
# threads and then on one thread. For each: the route's median and 99th
# percentile frame against the fill floor (one full-window textured quad,
# clear and swap; bench/framework/fill_floor_bench.cpp) measured in the same
# run, as ratios; the culled frame against the unculled one; and the culled
# frame split into its phases, on average and over the slowest 1% of frames.
# Usage: bench/game/timedemo.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
route="--timedemo tests/game/playthrough/route.txt --dt 0.025"

# Runs the rest of the line on a private X server; prints its standard error.
on_xvfb() { xvfb-run -a -s "-screen 0 1024x768x24" "$@" 2>&1 >/dev/null; }
field() { sed -n "s/.*$1 \([0-9.]*\).*/\1/p"; }

fill_floor() {
    xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/fill_floor_bench" --size="$1" \
        --benchmark_filter=FillFloor --benchmark_repetitions=9 \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        grep '_median' | cut -d, -f3
}

measure() {
    size=$1
    culled=$(on_xvfb "$build/bin/compound" $route --size "$size" | grep '^timedemo:')
    whole=$(on_xvfb "$build/bin/compound" $route --size "$size" --no-cull | grep '^timedemo:')
    floor_ms=$(fill_floor "$size")
    phases=$(on_xvfb "$build/bin/compound" $route --size "$size" --breakdown | grep '^timedemo phases')
    median=$(echo "$culled" | field median)
    p99=$(echo "$culled" | field '99%')
    whole_median=$(echo "$whole" | field median)
    awk -v size="$size" -v m="$median" -v p="$p99" -v w="$whole_median" -v fl="$floor_ms" 'BEGIN {
        printf "%-9s  route median %6.2f ms (%5.1f fps)  99%% %6.2f ms  fill floor %5.2f ms  median/floor %4.1f  99%%/median %4.2f  culled/no-cull %4.2f\n",
            size, m, 1000 / m, p, fl, m / fl, p / m, m / w
    }'
    echo "$phases" | sed 's/^/           /'
}

run_sizes() {
    for size in 512x512 1024x768; do measure "$size"; done
}

echo "llvmpipe, default threads:"
run_sizes
echo "llvmpipe, one thread:"
(export LP_NUM_THREADS=0; run_sizes)
