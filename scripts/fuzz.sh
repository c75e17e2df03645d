#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while on the
# seed corpus the build made for it.
#   scripts/fuzz.sh SECONDS [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh fuzz

seconds=${1:-30}
shift || true
build_dir=${BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DONDRA_FUZZ=ON -DONDRA_TESTS=OFF -DONDRA_BENCH=OFF \
  -DONDRA_WERROR=ON >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for binary in "$build_dir"/fuzz/fuzz_*; do
    [ -x "$binary" ] && targets+=("$(basename "$binary")")
  done
fi
export ASAN_OPTIONS=detect_leaks=1
for target in "${targets[@]}"; do
  corpus="$build_dir/fuzz/corpus/$target"
  work="$build_dir/fuzz/work/$target"
  mkdir -p "$corpus" "$work"
  echo "== $target: ${seconds}s" >&2
  if ! "$build_dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "$work" "$corpus" >"$work.log" 2>&1; then
    tail -n 60 "$work.log" >&2
    echo "$target failed; the input that broke it is in $work/" >&2
    exit 1
  fi
  grep -E '^#[0-9]+.*(DONE|pulse)' "$work.log" | tail -n 1 >&2
done
