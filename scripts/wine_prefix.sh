# Sourced by the scripts that run the Windows programs under Wine.
#
# quillomar_wine_prefix FOLDER: makes FOLDER a new Wine prefix, ready for the
# program: Wine's own files, and the MS Sans Serif screen font in its Fonts
# folder (Debian's Wine ships the font in /usr/share/wine/fonts but does not
# find it there, and its windows were laid out for that font; without it Wine
# draws their texts in a wider face).
quillomar_wine_prefix() {
  local prefix=$1
  mkdir -p "$prefix"
  WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1 || true
  local fonts="$prefix/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for font in sserife.fon; do
    [ -f "/usr/share/wine/fonts/$font" ] && cp "/usr/share/wine/fonts/$font" "$fonts/"
  done
  # wineboot leaves a server running; the next program starts its own.
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
}
