#!/usr/bin/env bash
# assetgen.exe under Wine writes the game's data as the build machine's
# generator does: the same files, the map, models, TGA and BMP pictures and
# icon byte for byte, and its sounds with the same header and every 16-bit
# sample within one step (the C runtime's sin and exp round their last bit
# otherwise than glibc's). Its JPEG pictures come from another encoder (the
# system's imaging component, where the build has no libjpeg): what
# compound.exe reads of each (image-convert.exe, the game's own readers)
# must match what the Linux game reads of the build machine's file: a mean
# difference under 6 levels, at most 5 % of the bytes more than 16 levels
# apart and none more than 128. That is wider than two decoders alone
# differ (tests/windows/pictures_agree.sh) because Wine's encoder writes
# every file at its own fixed quality, whatever quality the generator asks
# for (90 mostly); Windows' honours it. Then compound.exe plays the route on that data to
# the state the Linux game reaches on its own (tests/windows/ports_agree.sh).
#   assetgen_agrees.sh LINUX_DATA WINDOWS_ASSETGEN LINUX_IMAGE_CONVERT WINDOWS_IMAGE_CONVERT
#                      LINUX_COMPOUND WINDOWS_COMPOUND ROUTE FRAMES
set -euo pipefail
linux_data=$1 assetgen=$2 linux_convert=$3 windows_convert=$4 linux_game=$5 windows_game=$6 route=$7 frames=$8
here=$(cd "$(dirname "$0")" && pwd)
data=$PWD/assetgen-windows-data
rm -rf "$data"
wine "$assetgen" "$data" >/dev/null 2>assetgen-windows.log || {
  echo "assetgen.exe failed:" >&2
  cat assetgen-windows.log >&2
  exit 1
}

failed=0
if ! diff <(cd "$linux_data" && ls) <(cd "$data" && ls) >&2; then
  echo "the generators wrote other files (< Linux, > Windows)" >&2
  failed=1
fi
for file in "$linux_data"/*; do
  name=$(basename "$file")
  [ -e "$data/$name" ] || continue
  case $name in
    *.jpg)
      a=assetgen-$name-linux.bmp b=assetgen-$name-windows.bmp
      "$linux_convert" "$file" "$a" >/dev/null
      wine "$windows_convert" "$data/$name" "$b" >/dev/null
      size=$(stat -c %s "$a")
      if [ "$size" != "$(stat -c %s "$b")" ]; then
        echo "$name: the pictures differ in size" >&2
        failed=1
        continue
      fi
      { cmp -l "$a" "$b" || true; } | awk -v size="$size" -v what="$name" -v levels="${ONDRA_JPEG_LEVELS:-6}" '
        function octal(text,   v, i) { v = 0; for (i = 1; i <= length(text); i++) v = v * 8 + substr(text, i, 1); return v }
        $1 <= 54 { header = 1 }
        { d = octal($2) - octal($3); if (d < 0) d = -d; if (d > worst) worst = d; if (d > 16) far++; sum += d }
        END {
          average = sum / (size - 54); share = 100 * far / (size - 54)
          printf "%s: by at most %d levels, %.3f on average, %.3f %% by more than 16\n",
            what, worst, average, share > "/dev/stderr"
          exit header || worst > 128 || average >= levels || share > 5
        }' || { echo "$name: the pictures read differ beyond the tolerance" >&2; failed=1; }
      ;;
    *.wav)
      if ! cmp -s -n 44 "$file" "$data/$name" || [ "$(stat -c %s "$file")" != "$(stat -c %s "$data/$name")" ]; then
        echo "$name: the sounds differ in their header" >&2
        failed=1
        continue
      fi
      paste <(od -An -v -t d2 -w2 -j 44 "$file") <(od -An -v -t d2 -w2 -j 44 "$data/$name") |
        awk -v what="$name" '
          { d = $1 - $2; if (d < 0) d = -d; if (d > worst) worst = d; if (d) count++ }
          END { if (count) printf "%s: %d samples differ, by at most %d\n", what, count, worst > "/dev/stderr"
                exit worst > 1 }' || { echo "$name: the sounds differ by more than one step" >&2; failed=1; }
      ;;
    *)
      cmp "$file" "$data/$name" >&2 || { echo "$name differs" >&2; failed=1; }
      ;;
  esac
done
[ $failed = 0 ] || exit 1

ONDRA_WINDOWS_DATA=$data "$here/ports_agree.sh" "$linux_game" "$windows_game" "$linux_data" "$route" "$frames"
