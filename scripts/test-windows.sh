#!/usr/bin/env bash
# Builds the Windows port with mingw-w64 and runs every Windows test under
# Wine, on a private virtual X server (Xvfb with Mesa's llvmpipe behind
# Wine's WGL), never on your desktop. It builds what the tests need (the
# test programs, compound.exe, image-convert.exe, the data and the build
# machine's programs they compare with), through ccache when it is there.
#   scripts/test-windows.sh [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh windows

build_dir=${BUILD_DIR:-build-windows}
case $build_dir in /*) ;; *) build_dir=$PWD/$build_dir ;; esac
launchers=()
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Debian's mingw-w64 has no GoogleTest: its sources are built with it.
cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DONDRA_TESTS=ON \
  -DONDRA_GTEST_SOURCE=/usr/src/googletest \
  "${launchers[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target windows_test_programs
# A Wine prefix of the build tree's own: made once, on the first run.
export WINEPREFIX="$build_dir/wine-prefix" WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" sh -ec '
  scripts/wine-prefix.sh
  exec ctest --test-dir "$0" -j"$(nproc)" --output-on-failure' "$build_dir"
