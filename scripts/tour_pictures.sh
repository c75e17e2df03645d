#!/usr/bin/env bash
# Plays the level's scripted tour on a virtual X server, where nobody can
# watch it, and keeps a picture of each of its sights instead: the ramp,
# the weapon rack, a door, a creature and a generator; and its sound, as
# tour.wav beside them. run.sh does this when there is no display.
#   scripts/tour_pictures.sh PROGRAM FOLDER [compound options...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PROGRAM FOLDER [compound options...]" >&2; exit 2; }
program=$1
mkdir -p "$2"
folder=$(cd "$2" && pwd)
shift 2
tour="$(cd "$(dirname "$0")/.." && pwd)/tests/game/playthrough/reactor.txt"

# Frames of the tour, played with --dt 0.05, where each sight fills the view.
sights=(160:ramp 219:weapon 352:door 459:creature 492:generator)
shots=()
for sight in "${sights[@]}"; do
  rm -f "$folder/${sight#*:}.bmp"  # an earlier run's picture must not pass for this one's
  shots+=(--shot "${sight%%:*}:$folder/${sight#*:}.bmp")
done
rm -f "$folder/tour.wav"
xvfb-run -a -s "-screen 0 1024x768x24" "$program" --script "$tour" --dt 0.05 --frames 525 "${shots[@]}" \
  --audio "$folder/tour.wav" "$@" >/dev/null

echo "Pictures of the tour are in $folder:"
for sight in "${sights[@]}"; do
  picture="$folder/${sight#*:}.bmp"
  [ -s "$picture" ] || { echo "the tour did not save $picture" >&2; exit 1; }
  echo "  $picture"
done
echo "They are BMP files: open them with any image viewer (xdg-open $folder/ramp.bmp on a desktop),"
echo "or copy the folder to a machine with a display."
[ -s "$folder/tour.wav" ] || { echo "the tour did not save $folder/tour.wav" >&2; exit 1; }
echo "The tour's sound is $folder/tour.wav: play it with any sound player,"
echo "or see it as a picture: sox $folder/tour.wav -n spectrogram -o tour.png"
