#!/usr/bin/env bash
# Builds the program and runs it. Without a display it runs a short
# session on a virtual X server instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test  # the same tree serves scripts/test.sh

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target framework-demo
program=("$PWD/$build_dir/bin/framework-demo")
if [ -n "${DISPLAY:-}" ]; then
  "${program[@]}" "$@"
else
  echo "DISPLAY is not set: running 300 frames on a virtual X server" >&2
  xvfb-run -a -s "-screen 0 1024x768x24" "${program[@]}" --frames 300 "$@"
fi
