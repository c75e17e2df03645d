#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing.
#   scripts/deps.sh build|test|fuzz|windows
set -euo pipefail

build_packages=(g++ make cmake pkg-config libgl-dev libglu1-mesa-dev libx11-dev libxtst-dev
                libjpeg62-turbo-dev libgl1-mesa-dri libglx-mesa0 xfonts-base
                libopenal-dev libopenal1)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth x11-xkb-utils openbox dpkg-dev file)
fuzz_packages=(clang libclang-rt-14-dev)
# The Windows build: the cross compiler, GoogleTest's sources, and Wine to
# run the programs (its 32-bit half is not needed for 64-bit programs) with
# the fonts every Windows has (Tahoma, for the text tests).
windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest wine wine64 fonts-wine)

case "${1:-build}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  fuzz) wanted=("${build_packages[@]}" "${test_packages[@]}" "${fuzz_packages[@]}") ;;
  windows) wanted=("${build_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
  *) echo "usage: $0 build|test|fuzz|windows" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}" >&2
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
"${as_root[@]}" apt-get update -qq
# sudo starts commands with a clean environment: hand the variable over
# through env, or apt may stop to ask questions.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
