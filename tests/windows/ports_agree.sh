#!/usr/bin/env bash
# The two ports play one script on the same level: the Linux program and
# compound.exe under Wine must end in the same state (the same lines, every
# number within 0.01) and draw the same pictures (every channel of every
# pixel within a few levels). The pictures stay in the working directory
# as ports-SCRIPT-FRAME-{linux,windows}.bmp for a person to look at.
# ONDRA_WINDOWS_DATA gives compound.exe data of its own (another
# generator's) to play instead of DATA_DIR.
#   ports_agree.sh LINUX_COMPOUND WINDOWS_COMPOUND DATA_DIR SCRIPT FRAMES [SHOT_FRAME...]
set -euo pipefail
linux=$1 windows=$2 data=$3 script=$4 frames=$5
windows_data=${ONDRA_WINDOWS_DATA:-$data}
shift 5
name=$(basename "$script" .txt)
levels=${ONDRA_PICTURE_LEVELS:-4}

run() {
  local port=$1 data=$2
  shift 2
  local shots=()
  for frame in "${shot_frames[@]}"; do shots+=(--shot "$frame:$PWD/ports-$name-$frame-$port.bmp"); done
  "$@" --data "$data" --script "$script" --dt 0.05 --frames "$frames" --state "$PWD/ports-$name-$port.txt" \
    "${shots[@]}" >/dev/null 2>"ports-$name-$port.log" || {
    echo "the $port program failed:" >&2
    cat "ports-$name-$port.log" >&2
    exit 1
  }
}

shot_frames=("$@")
run linux "$data" "$linux"
run windows "$windows_data" wine "$windows"

# Same lines, same words; numbers (also inside comma lists) within 0.01.
awk -v tolerance=0.01 '
  function differs(a, b,   x, y, n, m, i) {
    n = split(a, x, ","); m = split(b, y, ",")
    if (n != m) return 1
    for (i = 1; i <= n; i++) {
      if (x[i] == y[i]) continue
      if (x[i] !~ /^-?[0-9.]+$/ || y[i] !~ /^-?[0-9.]+$/) return 1
      if (x[i] - y[i] > tolerance || y[i] - x[i] > tolerance) return 1
    }
    return 0
  }
  { sub(/\r$/, "") }  # Windows ends its text lines with CR LF
  FNR == NR { want[FNR] = $0; lines = FNR; next }
  {
    if (!(FNR in want)) { print "windows has an extra line: " $0; bad = 1; next }
    n = split(want[FNR], a, " "); m = split($0, b, " ")
    wrong = n != m
    for (i = 1; i <= n && !wrong; i++) {
      split(a[i], p, "="); split(b[i], q, "=")
      wrong = p[1] != q[1] || differs(p[2], q[2])
    }
    if (wrong) { print "linux:   " want[FNR]; print "windows: " $0; bad = 1 }
    seen = FNR
  }
  END {
    if (seen < lines) { print "windows is missing lines from " seen + 1; bad = 1 }
    exit bad
  }' "ports-$name-linux.txt" "ports-$name-windows.txt" >&2 || {
  echo "$name: the state reports differ" >&2
  exit 1
}

# Pictures: the same size, every byte within `levels`.
for frame in "${shot_frames[@]}"; do
  a=ports-$name-$frame-linux.bmp b=ports-$name-$frame-windows.bmp
  if [ "$(stat -c %s "$a")" != "$(stat -c %s "$b")" ]; then
    echo "$name frame $frame: the pictures differ in size" >&2
    exit 1
  fi
  { cmp -l "$a" "$b" || true; } | awk -v levels="$levels" -v what="$name frame $frame" '
    function octal(text,   v, i) { v = 0; for (i = 1; i <= length(text); i++) v = v * 8 + substr(text, i, 1); return v }
    $1 <= 54 { header = 1 }
    { d = octal($2) - octal($3); if (d < 0) d = -d; if (d > most) most = d; count++ }
    END {
      printf "%s: %d bytes differ, by at most %d levels\n", what, count, most > "/dev/stderr"
      exit header || most > levels
    }' || { echo "$name frame $frame: the pictures differ by more than $levels levels" >&2; exit 1; }
done
echo "$name: the ports agree" >&2
