#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks its name,
# control fields, library dependencies and content.
#
#   check_deb.sh <build folder> <source folder>
# Exit 0: all good; 1: a check failed; 77: skipped (a tool is missing).
set -euo pipefail

build=$1
source=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian packages cmake and dpkg-dev)"
    exit 77
  fi
done
out=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-deb-XXXXXX")
trap 'rm -rf "$out"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
debs=("$out"/quillomar_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single quillomar_*.deb was made: $(ls "$out")"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "quillomar" ] || fail "package name: $(field Package)"
[ "$(field Maintainer)" = "Quillomar Developers <dev@quillomar.invalid>" ] || fail "maintainer: $(field Maintainer)"
[ "$(field Section)" = "utils" ] || fail "section: $(field Section)"
version=$(sed -n 's/^project(Quillomar VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[ "$(field Version)" = "$version" ] || fail "version $(field Version), the project says $version"

# The dependencies come from the program's own libraries.
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for package in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 qt6-qpa-plugins; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/quillomar ./usr/share/applications/quillomar.desktop \
    ./usr/share/icons/hicolor/scalable/apps/quillomar.svg \
    ./usr/share/icons/hicolor/48x48/apps/quillomar.png ./usr/share/quillomar/Quillomar.htm; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
echo "package $(basename "$deb") OK: Depends: $depends"
