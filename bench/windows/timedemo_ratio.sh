#!/bin/sh
# The frame's cost on the timedemo route under Wine against the Linux port,
# in one run: the Linux game of the cross build's host/ tree and
# compound.exe play tests/game/playthrough/route.txt at 512 x 512 on one
# llvmpipe thread (Wine's WGL draws through the same Mesa), one after the
# other on one private X server; prints both medians and their ratio.
# Usage: bench/windows/timedemo_ratio.sh [BUILD_DIR]   (default: build-windows)
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
case $build in /*) ;; *) build=$PWD/$build ;; esac
export LP_NUM_THREADS=0 WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
route="--timedemo $PWD/tests/game/playthrough/route.txt --dt 0.025"

xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
  wine cmd /c exit >/dev/null 2>&1
  echo linux: \$('$build/host/bin/compound' --data '$build/data' $route 2>&1 >/dev/null | grep '^timedemo:')
  echo windows: \$(wine '$build/bin/compound.exe' --data '$build/data' $route 2>&1 >/dev/null | grep '^timedemo:')
" | tee /dev/stderr | sed -n 's/^\([a-z]*\):.*median \([0-9.]*\),.*/\1 \2/p' |
  awk '{ m[$1] = $2 } END { printf "windows / linux median frame = %.2f\n", m["windows"] / m["linux"] }'
