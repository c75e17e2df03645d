#!/usr/bin/env bash
# Builds everything and runs every test. The tests always run on a private
# virtual X server (Xvfb with Mesa's llvmpipe), never on your desktop.
#   scripts/test.sh [extra cmake options...]
#   BUILD_DIR=build-asan scripts/test.sh -DONDRA_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

build_dir=${BUILD_DIR:-build}
# Tests and benchmarks on, whatever an earlier configuration of this tree
# said, and any warning is an error here (unlike a plain build).
cmake -S . -B "$build_dir" -DONDRA_TESTS=ON -DONDRA_BENCH=ON -DONDRA_WERROR=ON "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
# LeakSanitizer stops every thread of the process to scan it at exit, and
# its tracer has been seen to crash while a thread of Mesa's exits beside
# it: llvmpipe's rasterizer threads, and the shader cache's writer, which
# Mesa stops at exit just before the scan. Under the sanitizers llvmpipe
# draws on the calling thread and compiles its shaders afresh instead.
# The tracer has still been seen to crash now and then (one test of a
# whole sanitized run, a different one each time, once with only the main
# thread left): a test that fails under the sanitizers runs once more, and
# its first failure stays in the log. The plain build never retries.
retry=()
if grep -q '^ONDRA_SANITIZE:BOOL=ON' "$build_dir/CMakeCache.txt"; then
  export LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true
  retry=(--repeat until-pass:2)
fi
# 16- and 32-bit Xvfb screens misbehave with GLX; 24 bits is what we test.
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$build_dir" -j"$(nproc)" --output-on-failure "${retry[@]}"
