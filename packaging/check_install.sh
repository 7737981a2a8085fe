#!/usr/bin/env bash
# Installs the build into a temporary folder and checks that everything a
# desktop needs is where it looks for it, and that the launcher is valid.
#
#   check_install.sh <build folder> <source folder>
# Exit 0: all good; 1: a check failed; 77: skipped (a tool is missing).
set -euo pipefail

build=$1
source=$2
destdir=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-install-XXXXXX")
trap 'rm -rf "$destdir"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$destdir" cmake --install "$build" --prefix /usr >/dev/null
root="$destdir/usr"

program="$root/bin/quillomar"
launcher="$root/share/applications/quillomar.desktop"
svg="$root/share/icons/hicolor/scalable/apps/quillomar.svg"
png="$root/share/icons/hicolor/48x48/apps/quillomar.png"
guide="$root/share/quillomar/Quillomar.htm"
manual="$root/share/man/man1/quillomar.1.gz"
service_menu="$root/share/kio/servicemenus/quillomar-hide.desktop"

[ -x "$program" ] || fail "bin/quillomar is missing or not executable"
if missing=$(ldd "$program" | grep "not found"); then
  fail "the program's libraries are not all found: $missing"
fi
cmp -s "$guide" "$source/docs/Quillomar.htm" || fail "share/quillomar/Quillomar.htm is not the guide"
gzip -dc "$manual" | cmp -s - "$source/packaging/quillomar.1" || fail "share/man/man1/quillomar.1.gz is not the manual page"
cmp -s "$root/share/doc/quillomar/copyright" "$source/packaging/copyright" || fail "the copyright file is missing"
cmp -s "$svg" "$source/app/resources/quillomar.svg" || fail "the scalable icon is not app/resources/quillomar.svg"
grep -q "<svg" "$svg" || fail "the scalable icon is not an SVG picture"

# A PNG starts with its signature, then the IHDR chunk: width and height as
# 4-byte big-endian numbers at offsets 16 and 20.
[ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "the 48 x 48 icon is not a PNG"
size=$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')
[ "$size" = "0 0 0 48 0 0 0 48" ] || fail "the PNG icon is not 48 x 48 (IHDR says: $size)"

# The launcher starts the installed command and names the installed icon.
grep -qx "Name=Quillomar" "$launcher" || fail "the launcher is not named Quillomar"
grep -qx "Exec=quillomar %F" "$launcher" || fail "the launcher does not start quillomar with the files"
# The file managers' entries are installed as they stand in the source, which
# the program's tests run (HandedPathsTest).
cmp -s "$service_menu" "$source/packaging/file_managers/quillomar-hide.desktop" || fail "Dolphin's service menu is missing"
grep -qx "Icon=quillomar" "$launcher" || fail "the launcher does not use the quillomar icon"
grep -qx "Categories=Utility;Security;" "$launcher" || fail "the launcher's categories are not Utility and Security"

if ! command -v desktop-file-validate >/dev/null; then
  echo "SKIPPED: desktop-file-validate is not installed (Debian package desktop-file-utils);"
  echo "every other check passed."
  exit 77
fi
# Errors and warnings fail; hints (suggestions) do not.
if ! report=$(desktop-file-validate --no-hints "$launcher" 2>&1) || [ -n "$report" ]; then
  fail "desktop-file-validate: $report"
fi
echo "install layout and launcher OK"
