#!/usr/bin/env bash
# Builds what we ship twice from the same commit, here and in a copy of the
# commit in another folder, one after the other, and compares their
# checksums: the Debian package (the package preset), the Windows program
# (with its debugging information), its zip and its installer
# (scripts/build_windows.sh, unsigned). Any difference fails.
# The work tree must hold the commit as it is (no uncommitted changes to
# tracked files): the copy is made from the commit.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! git diff --quiet HEAD --; then
  echo "reproducible_check: the work tree has uncommitted changes; commit them first" >&2
  exit 1
fi
# Both builds take the commit's time (the copy is no Git checkout).
. scripts/release_time.sh
unset QUILLOMAR_SIGN_CERT QUILLOMAR_SIGN_KEY QUILLOMAR_SIGN_KEY_PASSWORD QUILLOMAR_WIN32_GUI_BUILD

version=$(sed -n 's/^project(Quillomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
shipped=(
  "build/package/quillomar_${version}_$(dpkg --print-architecture).deb"
  build/win32/quillomar.exe
  "build/win32/quillomar-$version-win32.zip"
  "build/win32/quillomar-$version-win32.msi"
)

# build_in FOLDER: the package and the Windows program, built in FOLDER.
build_in() {
  (
    cd "$1"
    cmake --preset package >/dev/null
    cmake --build --preset package --target package -j2 >/dev/null
    bash scripts/build_windows.sh >/dev/null
  )
}
checksums_in() {  # checksums_in FOLDER
  (cd "$1" && sha256sum "${shipped[@]}")
}

copy=$(mktemp -d /tmp/quillomar-reproducible-XXXXXX)
trap 'rm -rf "$copy"' EXIT
echo "reproducible_check: building in $PWD"
build_in "$PWD"
first=$(checksums_in "$PWD")
echo "reproducible_check: building a copy of $(git rev-parse --short HEAD) in $copy"
git archive HEAD | tar -x -C "$copy"
build_in "$copy"
second=$(checksums_in "$copy")

echo "$first"
if [ "$first" != "$second" ]; then
  echo "reproducible_check: FAIL, the copy's build differs:"
  diff <(echo "$first") <(echo "$second") || true
  exit 1
fi
echo "reproducible_check: both builds are byte for byte the same"
