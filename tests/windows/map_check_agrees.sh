#!/usr/bin/env bash
# map-check.exe under Wine and the Linux map-check check the same maps with
# the same data folder: each map must get the same lines on standard
# output (Windows ends them with CR LF) and the same exit status, and the
# first map (the game's) the same picture; every later one has faults,
# which must be found. The outputs
# stay in the working directory as map-check-NAME-{linux,windows}.txt.
#   map_check_agrees.sh LINUX_MAP_CHECK WINDOWS_MAP_CHECK DATA_DIR MAP...
set -euo pipefail
linux=$1 windows=$2 data=$3
shift 3
failed=0

# A file the map names that is there but no picture or model is refused by
# each system's own readers, which say why in their own words: the finding
# is the same up to that reason.
without_reasons() {
  sed -e 's/\r$//' -e "s/\(does not load with the game's image readers\): .*/\1: .../" "$1"
}

for map in "$@"; do
  name=$(basename "$map" .txt)
  picture=()
  [ "$map" = "$1" ] && picture=(--picture "$PWD/map-check-$name-PORT.bmp")
  for port in linux windows; do
    program=("$linux")
    [ $port = windows ] && program=(wine "$windows")
    status=0
    "${program[@]}" --data "$data" "${picture[@]/PORT/$port}" "$map" >"map-check-$name-$port.txt" \
      2>"map-check-$name-$port.log" || status=$?
    echo "$status" >"map-check-$name-$port.status"
  done
  if ! cmp -s "map-check-$name-linux.status" "map-check-$name-windows.status"; then
    echo "$name: exit status $(cat "map-check-$name-linux.status") on Linux," \
      "$(cat "map-check-$name-windows.status") on Windows" >&2
    cat "map-check-$name-windows.log" >&2
    failed=1
  fi
  if ! diff <(without_reasons "map-check-$name-linux.txt") <(without_reasons "map-check-$name-windows.txt") >&2; then
    echo "$name: the findings differ (< Linux, > Windows)" >&2
    failed=1
  fi
  if [ ${#picture[@]} -gt 0 ] && ! cmp "map-check-$name-linux.bmp" "map-check-$name-windows.bmp" >&2; then
    echo "$name: the pictures differ" >&2
    failed=1
  fi
  if [ "$map" != "$1" ] && [ "$(cat "map-check-$name-linux.status")" != 1 ]; then
    echo "$name: a map with faults, yet the Linux map-check found no error" >&2
    failed=1
  fi
  echo "$name: $(tail -n 1 "map-check-$name-linux.txt"), exit status $(cat "map-check-$name-linux.status")" >&2
done
exit $failed
