#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks its name,
# control fields, library dependencies and content; lintian must report no
# error and no warning, the build's hardening included, and appstreamcli
# must accept its AppStream metadata.
#
#   check_deb.sh <build folder> <source folder>
# Exit 0: all good; 1: a check failed; 77: skipped (a tool is missing).
set -euo pipefail

build=$1
source=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian packages cmake, dpkg-dev, lintian and appstream;"
    echo "scripts/setup.sh installs them)"
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
for package in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 qt6-wayland fonts-wine fonts-freefont-ttf; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
# qt6-qpa-plugins holds nothing the program loads.
! grep -qxF qt6-qpa-plugins <<<"$names" || fail "Depends names qt6-qpa-plugins: $depends"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/quillomar ./usr/share/applications/quillomar.desktop \
    ./usr/share/icons/hicolor/scalable/apps/quillomar.svg \
    ./usr/share/icons/hicolor/48x48/apps/quillomar.png ./usr/share/quillomar/Quillomar.htm \
    ./usr/share/kio/servicemenus/quillomar-hide.desktop; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
for path in ./usr/share/doc/quillomar/copyright ./usr/share/doc/quillomar/changelog.gz \
    ./usr/share/man/man1/quillomar.1.gz ./usr/share/metainfo/invalid.quillomar.quillomar.metainfo.xml; do
  grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done

# The changelog's latest entry is this version: a new version needs its entry.
unpacked="$out/unpacked"
dpkg-deb -x "$deb" "$unpacked"
latest=$(gzip -dc "$unpacked/usr/share/doc/quillomar/changelog.gz" | head -n1)
[ "$latest" = "quillomar ($version) unstable; urgency=medium" ] || fail "the changelog starts with: $latest"

appstreamcli validate --no-net "$unpacked/usr/share/metainfo/invalid.quillomar.quillomar.metainfo.xml" \
  >"$out/appstream.log" 2>&1 || { cat "$out/appstream.log" >&2; fail "appstreamcli does not accept the metadata"; }

# Every tag, information included, so that the hardening tags (informational
# in this lintian) are seen too; errors and warnings fail, and so does a
# program linked without Debian's hardening flags. Fortified functions
# appear only where the compiler cannot prove a call safe, so lintian may
# find none in a fortified program: that the build took the flag is read
# from its compile commands instead.
status=0
lintian --fail-on error,warning --display-level ">=info" "$deb" >"$out/lintian.log" 2>&1 || status=$?
if [ "$status" -ne 0 ] || grep -E '^(E|W): ' "$out/lintian.log" >&2; then
  cat "$out/lintian.log" >&2
  fail "lintian reports errors or warnings (exit $status)"
fi
if ! grep -qx 'QUILLOMAR_DPKG_BUILDFLAGS:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "package $(basename "$deb") OK (lintian, appstreamcli; built without Debian's flags, hardening not checked)"
  exit 0
fi
if grep -E 'hardening-no-(bindnow|relro|pie)' "$out/lintian.log" >&2; then
  fail "the program lacks Debian's hardening"
fi
commands=$(grep -c '"command":' "$build/compile_commands.json" || true)
fortified=$(grep '"command":' "$build/compile_commands.json" | grep -c -- '-D_FORTIFY_SOURCE=2 .*-fstack-protector-strong' || true)
[ "$commands" -gt 0 ] && [ "$fortified" -eq "$commands" ] ||
  fail "only $fortified of $commands compile commands take Debian's fortify and stack-protector flags"
echo "package $(basename "$deb") OK (lintian, appstreamcli): Depends: $depends"
