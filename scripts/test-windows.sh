#!/usr/bin/env bash
# Builds the Windows port with mingw-w64 and runs every Windows test under
# Wine, on a private virtual X server (Xvfb with Mesa's llvmpipe behind
# Wine's WGL), never on your desktop.
#   scripts/test-windows.sh [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh windows

build_dir=${BUILD_DIR:-build-windows}
cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DONDRA_TESTS=ON "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
# A Wine prefix of the build tree's own: made once, on the first run.
export WINEPREFIX="$PWD/$build_dir/wine-prefix" WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  scripts/wine-prefix.sh
  exec ctest --test-dir "$0" -j"$(nproc)" --output-on-failure' "$build_dir"
