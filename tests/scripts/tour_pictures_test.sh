#!/usr/bin/env bash
# scripts/tour_pictures.sh, as run.sh uses it without a display: five
# pictures of the tour, each a whole frame and each a different sight, a
# stale picture of an earlier run replaced, the folder named on standard
# output, and the tour's sound: 26.25 seconds of 16-bit stereo at 44,100 Hz.
#   tour_pictures_test.sh PROGRAM
set -euo pipefail
program=$1
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/tour"
echo "a picture of an earlier run" >"$work/tour/door.bmp"
# Without a display, as run.sh calls it; the script starts a server of its own.
env -u DISPLAY "$scripts/tour_pictures.sh" "$program" "$work/tour" >"$work/out" || fail "the tour failed"

grep -qxF "Pictures of the tour are in $work/tour:" "$work/out" || fail "the folder is not named: $(cat "$work/out")"
sights=(ramp weapon door creature generator)
for sight in "${sights[@]}"; do
  picture="$work/tour/$sight.bmp"
  grep -qxF "  $picture" "$work/out" || fail "$picture is not listed"
  # A 512 x 512 24-bit BMP: 54 bytes of headers and 512 rows of 1,536 bytes.
  [ "$(head -c 2 "$picture")" = BM ] || fail "$picture is no BMP"
  [ "$(stat -c %s "$picture")" -eq $((54 + 512 * 1536)) ] || fail "$picture is not a whole 512 x 512 frame"
done
for ((i = 0; i < ${#sights[@]}; ++i)); do
  for ((j = i + 1; j < ${#sights[@]}; ++j)); do
    ! cmp -s "$work/tour/${sights[i]}.bmp" "$work/tour/${sights[j]}.bmp" ||
      fail "${sights[i]} and ${sights[j]} are the same picture"
  done
done
sound="$work/tour/tour.wav"
grep -qF "The tour's sound is $sound" "$work/out" || fail "the sound is not named"
[ "$(head -c 4 "$sound")" = RIFF ] || fail "$sound is no WAV"
[ "$(stat -c %s "$sound")" -eq $((44 + 1157625 * 4)) ] || fail "$sound is not the tour's 525 frames of 0.05 s"
echo "five pictures and the sound of the tour"
