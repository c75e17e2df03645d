#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX ready for the Windows build's programs:
# created on first use, with Wine's own fonts (Tahoma and the rest, from
# fonts-wine) in C:\windows\Fonts, where Windows keeps them. Debian's Wine
# does not load them from its data folder, so without the copy a program
# asking for Tahoma gets another face.
#   WINEPREFIX=... scripts/wine-prefix.sh
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to prepare}"
export WINEDEBUG=${WINEDEBUG:--all}

[ -f "$WINEPREFIX/system.reg" ] || wine cmd /c exit >/dev/null 2>&1
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf; do
  [ -e "$font" ] || continue
  [ -e "$fonts/$(basename "$font")" ] || cp "$font" "$fonts/"
done
