#!/usr/bin/env bash
# Installs the build (mode "install": cmake --install) or packs and unpacks
# it (mode "deb": cpack -G DEB, then dpkg-deb -x; mode "zip", for the
# Windows build: cpack -G ZIP, then unzip) into a scratch root, checks that
# every file is where the desktop and man (or a Windows player) expect it,
# that the packed programs carry no debug information, and plays a few
# scripted frames of the installed game from an unrelated folder, where F12
# must leave its picture. The zip's programs run under Wine.
#   installed_game_test.sh install|deb|zip BUILD_DIR
# ONDRA_PACKED_SIZE_LIMIT: the largest packed program in bytes (4 MB
# unless set; 0 for none, as in a sanitized build).
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
    # cpack's own account goes to the test's log when a package is missing.
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/pack" >"$scratch/cpack.log" 2>&1 \
      || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
    debs=("$scratch"/pack/compound_*.deb)
    [ -f "${debs[0]}" ] || { cat "$scratch/cpack.log" >&2; fail "cpack made no .deb"; }
    depends=$(dpkg-deb -f "${debs[0]}" Depends)
    for wanted in libopengl0 libglx0 libglu1-mesa libx11-6 libjpeg62-turbo libgl1-mesa-dri libopenal1; do
      [[ ", $depends," == *", $wanted"[\ ,]* ]] || fail "Depends lacks $wanted: $depends"
    done
    dpkg-deb -x "${debs[0]}" "$scratch/root"
    prefix=$scratch/root/usr
    # The debug information, apart: one file per program, by build id.
    ddebs=("$scratch"/pack/compound-dbgsym_*.ddeb)
    if [ ! -f "${ddebs[0]}" ]; then
      cat "$scratch/cpack.log" >&2
      file "$build"/bin/* >&2
      fail "cpack made no debug symbols package"
    fi
    dpkg-deb -x "${ddebs[0]}" "$scratch/debug"
    [ "$(find "$scratch/debug/usr/lib/debug/.build-id" -name '*.debug' | wc -l)" -ge 5 ] \
      || fail "the debug symbols package lacks the programs' debug information"
    ;;
  zip)
    cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$scratch/pack" >/dev/null
    zips=("$scratch"/pack/compound-*-windows-x86_64.zip)
    [ -f "${zips[0]}" ] || fail "cpack made no zip"
    unzip -q "${zips[0]}" -d "$scratch/root"
    prefix=$(echo "$scratch"/root/compound-*)
    ;;
  *) fail "usage: $0 install|deb|zip BUILD_DIR" ;;
esac

run=()
if [ "$mode" = zip ]; then
  files=(README.txt share/compound/map.txt share/compound/vorlax.3DS share/compound/shot.wav
         share/compound/genhum.wav)
  programs=(bin/compound.exe bin/map-check.exe bin/model-viewer.exe bin/image-convert.exe bin/assetgen.exe)
  run=(wine)
else
  files=(share/compound/map.txt share/compound/vorlax.3DS share/compound/shot.wav share/compound/genhum.wav
         share/applications/compound.desktop share/icons/hicolor/scalable/apps/compound.svg
         share/man/man6/compound.6)
  programs=(bin/compound bin/map-check bin/model-viewer bin/image-convert bin/assetgen)
fi
for file in "${files[@]}" "${programs[@]}"; do
  [ -e "$prefix/$file" ] || fail "missing $file"
done
if [ "$mode" != install ]; then
  for program in "${programs[@]}"; do
    # Stripped: no debug sections, and no program over the size limit.
    sections=$(objdump -h "$prefix/$program") || fail "$program: objdump cannot read it"
    if grep -q '\.debug_' <<<"$sections"; then fail "$program carries debug information"; fi
    size=$(stat -c %s "$prefix/$program")
    limit=${ONDRA_PACKED_SIZE_LIMIT:-4000000}
    [ "$limit" -eq 0 ] || [ "$size" -lt "$limit" ] || fail "$program is $size bytes"
  done
fi
if [ "$mode" != zip ]; then
  [ ! -e "$prefix/share/compound/compound.svg" ] || fail "the icon is among the game's data"
  grep -q '^Exec=compound$' "$prefix/share/applications/compound.desktop" || fail "desktop entry"
fi
game=$prefix/bin/compound
[ "$mode" = zip ] && game=$prefix/bin/compound.exe
"${run[@]}" "$game" --help | grep -q '^usage: compound' || fail "compound --help printed no usage"

mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
cat > script.txt <<'SCRIPT'
0 mouse 256 256
3 key 123 down
4 key 123 up
SCRIPT
"${run[@]}" "$game" --script script.txt --frames 6 --size 64x64 --state state.txt >/dev/null \
  || fail "the installed game did not run"
[ -s state.txt ] || fail "no state report"
[ -s compound-001.bmp ] || fail "F12 saved no picture where the game was started"
echo "ok: $mode"
