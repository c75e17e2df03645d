#!/bin/sh
# What sound costs a frame along the timedemo route
# (tests/game/playthrough/route.txt, --dt 0.025, 512 x 512), in one run:
# the game with --audio (the world heard and each frame's samples mixed by
# OpenAL Soft, into memory, as a sound card's mixer would) and with --mute
# (no sound library at all) take turns, PAIRS times each, on one private
# X server. Prints each run's median frame, the median of each kind's
# medians, their difference (sound's cost a frame) and their ratio.
# Usage: bench/game/sound_timedemo.sh [BUILD_DIR] [PAIRS]   (default: build 3)
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build}
pairs=${2:-3}
case $build in /*) ;; *) build=$PWD/$build ;; esac
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
route="--timedemo $PWD/tests/game/playthrough/route.txt --dt 0.025"

xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
  for i in \$(seq $pairs); do
    echo mute: \$('$build/bin/compound' --data '$build/data' $route --mute 2>&1 >/dev/null | grep '^timedemo:')
    echo sound: \$('$build/bin/compound' --data '$build/data' $route --audio '$scratch/route.wav' 2>&1 >/dev/null | grep '^timedemo:')
  done
" | tee /dev/stderr | sed -n 's/^\([a-z]*\):.*median \([0-9.]*\),.*/\1 \2/p' | sort -k1,1 -k2,2n |
  awk '{ v[$1, ++n[$1]] = $2 }
       function median(kind) { c = n[kind]; return c % 2 ? v[kind, (c + 1) / 2] : (v[kind, c / 2] + v[kind, c / 2 + 1]) / 2 }
       END {
         if (!n["mute"] || !n["sound"]) { print "no timedemo lines" > "/dev/stderr"; exit 1 }
         m = median("mute"); s = median("sound")
         printf "median frame: sound %.3f ms, mute %.3f ms; sound costs %.3f ms a frame; sound / mute = %.3f\n", s, m, s - m, s / m
       }'
