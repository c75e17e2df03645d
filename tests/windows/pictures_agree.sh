#!/usr/bin/env bash
# The system's picture loader (OleLoadPicturePath) against libjpeg: every
# JPEG picture of the game's data, converted to a BMP by the build
# machine's image-convert and by image-convert.exe under Wine, must give
# the same size and nearly the same pixels. Two decoders round their
# colour conversion and smooth the upsampled colour differently, most at
# sharp colour edges: the mean difference must stay under one level, at
# most 1 % of the bytes may differ by more than 8 levels, and none by more
# than 64 (a swapped channel or a shifted row would). The pictures stay in
# the working directory as pictures-NAME-{linux,windows}.bmp.
#   pictures_agree.sh LINUX_IMAGE_CONVERT WINDOWS_IMAGE_CONVERT DATA_DIR
set -euo pipefail
linux=$1 windows=$2 data=$3

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
  { cmp -l "$a" "$b" || true; } | awk -v size="$size" -v what="$name" '
    function octal(text,   v, i) { v = 0; for (i = 1; i <= length(text); i++) v = v * 8 + substr(text, i, 1); return v }
    $1 <= 54 { header = 1 }
    { d = octal($2) - octal($3); if (d < 0) d = -d; if (d > worst) worst = d; if (d > 8) far++; sum += d; count++ }
    END {
      average = sum / (size - 54); share = 100 * far / (size - 54)
      printf "%s: %d bytes differ, by at most %d levels, %.3f on average, %.3f %% by more than 8\n",
        what, count, worst, average, share > "/dev/stderr"
      exit header || worst > 64 || average >= 1 || share > 1
    }' || { echo "$name: the decoders disagree beyond the tolerance" >&2; failed=1; }
done
exit $failed
