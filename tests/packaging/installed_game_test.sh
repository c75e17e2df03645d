#!/usr/bin/env bash
# Installs the build (mode "install": cmake --install) or packs and unpacks
# it (mode "deb": cpack -G DEB, then dpkg-deb -x) into a scratch root, checks
# that every file is where the desktop and man expect it, and plays a few
# scripted frames of the installed game from an unrelated folder, where F12
# must leave its picture.
#   installed_game_test.sh install|deb BUILD_DIR
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

case "$mode" in
  install)
    cmake --install "$build" --prefix "$scratch/root" >/dev/null
    prefix=$scratch/root
    ;;
  deb)
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/pack" >/dev/null
    debs=("$scratch"/pack/compound_*.deb)
    [ -f "${debs[0]}" ] || fail "cpack made no .deb"
    depends=$(dpkg-deb -f "${debs[0]}" Depends)
    for wanted in libopengl0 libglx0 libglu1-mesa libx11-6 libjpeg62-turbo libgl1-mesa-dri libopenal1; do
      [[ ", $depends," == *", $wanted"[\ ,]* ]] || fail "Depends lacks $wanted: $depends"
    done
    dpkg-deb -x "${debs[0]}" "$scratch/root"
    prefix=$scratch/root/usr
    ;;
  *) fail "usage: $0 install|deb BUILD_DIR" ;;
esac

for file in bin/compound bin/map-check bin/model-viewer bin/image-convert bin/assetgen \
            share/compound/map.txt share/compound/vorlax.3DS share/compound/shot.wav share/compound/genhum.wav \
            share/applications/compound.desktop \
            share/icons/hicolor/scalable/apps/compound.svg share/man/man6/compound.6; do
  [ -e "$prefix/$file" ] || fail "missing $file"
done
[ ! -e "$prefix/share/compound/compound.svg" ] || fail "the icon is among the game's data"
grep -q '^Exec=compound$' "$prefix/share/applications/compound.desktop" || fail "desktop entry"

mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
cat > script.txt <<'SCRIPT'
0 mouse 256 256
3 key 123 down
4 key 123 up
SCRIPT
"$prefix/bin/compound" --script script.txt --frames 6 --size 64x64 --state state.txt >/dev/null \
  || fail "the installed game did not run"
[ -s state.txt ] || fail "no state report"
[ -s compound-001.bmp ] || fail "F12 saved no picture where the game was started"
echo "ok: $mode"
