#!/usr/bin/env bash
# Builds the game and plays it in the generated data folder. Without a
# display it plays a scripted tour on a virtual X server instead (down the
# ramp, the weapon, a door, a creature and a generator) and saves a picture
# of each sight in tour/ of the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test  # the same tree serves scripts/test.sh

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target compound
program=("$PWD/$build_dir/bin/compound")
if [ -n "${DISPLAY:-}" ]; then
  "${program[@]}" "$@"
else
  echo "DISPLAY is not set: playing tests/game/playthrough/reactor.txt on a virtual X server" >&2
  scripts/tour_pictures.sh "${program[@]}" "$build_dir/tour" "$@"
fi
