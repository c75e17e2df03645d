#!/usr/bin/env bash
# What sound costs a frame along the timedemo route
# (tests/game/playthrough/route.txt, --dt 0.025, 512 x 512), in one run:
# the game with --audio (the world heard and each frame's samples mixed by
# OpenAL Soft, into memory, as a sound card's mixer would) and with --mute
# (no sound library at all) take turns, PAIRS times each, on one private
# X server. Prints each run's timedemo line, then for each kind the median
# of its runs' median frames and of their processor time a frame (user
# and system, every thread, start-up included), with sound's difference
# and ratio against --mute. On a busy machine the processor time is the
# steadier: other programs stretch a frame's real time, not its work.
# Usage: bench/game/sound_timedemo.sh [BUILD_DIR] [PAIRS]   (default: build 3)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
pairs=${2:-3}
case $build in /*) ;; *) build=$PWD/$build ;; esac
# The runs share one private X server: the script runs again on it.
if [ -z "${SOUND_TIMEDEMO_ON_XVFB:-}" ]; then
    SOUND_TIMEDEMO_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$pairs"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One run; prints "KIND MEDIAN_MS CPU_MS_A_FRAME", its timedemo line on
# standard error.
play() {
    local kind=$1 cpu line frames median
    shift
    TIMEFORMAT='%U %S'
    cpu=$({ time "$build/bin/compound" --data "$build/data" --dt 0.025 \
        --timedemo tests/game/playthrough/route.txt "$@" 2>"$scratch/err" >/dev/null; } 2>&1)
    line=$(grep '^timedemo:' "$scratch/err")
    echo "$kind: $line" >&2
    frames=$(echo "$line" | sed 's/^timedemo: \([0-9]*\) frames.*/\1/')
    median=$(echo "$line" | sed 's/.*median \([0-9.]*\),.*/\1/')
    echo "$cpu" | awk -v k="$kind" -v m="$median" -v f="$frames" '{ print k, m, 1000 * ($1 + $2) / f }'
}

for _ in $(seq "$pairs"); do
    play mute --mute
    play sound --audio "$scratch/route.wav"
done | awk '
    { median[$1, ++n[$1]] = $2; cpu[$1, n[$1]] = $3 }
    function mid(values, kind,   c, i, j, t, sorted) {
        c = n[kind]
        for (i = 1; i <= c; ++i) sorted[i] = values[kind, i]
        for (i = 1; i <= c; ++i) for (j = i + 1; j <= c; ++j)
            if (sorted[j] < sorted[i]) { t = sorted[i]; sorted[i] = sorted[j]; sorted[j] = t }
        return c % 2 ? sorted[(c + 1) / 2] : (sorted[c / 2] + sorted[c / 2 + 1]) / 2
    }
    function row(what, values,   s, m) {
        s = mid(values, "sound"); m = mid(values, "mute")
        printf "%-24s sound %7.3f ms, mute %7.3f ms; sound adds %6.3f ms; sound / mute = %.3f\n", what, s, m, s - m, s / m
    }
    END {
        if (!n["mute"] || !n["sound"]) { print "no timedemo lines" > "/dev/stderr"; exit 1 }
        row("median frame:", median)
        row("processor time a frame:", cpu)
    }'
