#!/usr/bin/env bash
# The system's picture loader (OleLoadPicturePath) against libjpeg: every
# JPEG picture of the game's data, converted to a BMP by the build
# machine's image-convert and by image-convert.exe under Wine, must give
# the same size and nearly the same pixels. Two decoders may round their
# colour conversion and upsampling differently, so every channel may differ
# by a few levels, and the mean difference must stay well under one level.
# The pictures stay in the working directory as pictures-NAME-{linux,windows}.bmp.
#   pictures_agree.sh LINUX_IMAGE_CONVERT WINDOWS_IMAGE_CONVERT DATA_DIR
set -euo pipefail
linux=$1 windows=$2 data=$3
most_levels=${ONDRA_JPEG_LEVELS:-8}
mean_levels=${ONDRA_JPEG_MEAN_LEVELS:-0.5}

shopt -s nullglob
pictures=("$data"/*.jpg)
if [ ${#pictures[@]} -eq 0 ]; then
  echo "no JPEG pictures in $data" >&2
  exit 1
fi

failed=0
for picture in "${pictures[@]}"; do
  name=$(basename "$picture" .jpg)
  a=pictures-$name-linux.bmp b=pictures-$name-windows.bmp
  rm -f "$a" "$b"
  "$linux" "$picture" "$a" >/dev/null
  wine "$windows" "$picture" "$b" >/dev/null
  if [ "$(stat -c %s "$a")" != "$(stat -c %s "$b")" ]; then
    echo "$name: the pictures differ in size" >&2
    failed=1
    continue
  fi
  size=$(stat -c %s "$a")
  { cmp -l "$a" "$b" || true; } | awk -v most="$most_levels" -v mean="$mean_levels" -v size="$size" -v what="$name" '
    function octal(text,   v, i) { v = 0; for (i = 1; i <= length(text); i++) v = v * 8 + substr(text, i, 1); return v }
    $1 <= 54 { header = 1 }
    { d = octal($2) - octal($3); if (d < 0) d = -d; if (d > worst) worst = d; sum += d; count++ }
    END {
      average = sum / (size - 54)
      printf "%s: %d bytes differ, by at most %d levels, %.3f on average\n", what, count, worst, average > "/dev/stderr"
      exit header || worst > most || average > mean
    }' || { echo "$name: the decoders differ by more than $most_levels levels or $mean_levels on average" >&2; failed=1; }
done
exit $failed
