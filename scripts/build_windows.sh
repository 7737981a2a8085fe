#!/usr/bin/env bash
# Builds the Windows program, quillomar.exe (32-bit, GUI, statically linked),
# with Debian's i686 MinGW-w64 cross compiler, and a zip of it with the user
# guide. Installs what it needs from Debian's packages (through sudo when
# not root). The program and the zip land in build/win32gui.
#   QUILLOMAR_WIN32_GUI_BUILD   the build folder (default build/win32gui)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLOMAR_WIN32_GUI_BUILD:-build/win32gui}
packages=(cmake ninja-build g++-mingw-w64-i686 zip binutils-mingw-w64-i686)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "build_windows: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --no-warn-unused-cli -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-i686-w64-mingw32.cmake" -DQUILLOMAR_BUILD_GUI=ON >/dev/null
cmake --build "$build" --target quillomar -j2

exe="$build/quillomar.exe"
# A 32-bit GUI program that needs no DLL of the compiler's beside it.
objdump=i686-w64-mingw32-objdump
if ! $objdump -f "$exe" | grep -q "file format pei-i386"; then
  echo "build_windows: $exe is not a 32-bit Windows program" >&2
  exit 1
fi
if $objdump -p "$exe" | grep -i "DLL Name" | grep -Eiq "libstdc|libgcc|libwinpthread"; then
  echo "build_windows: $exe needs a MinGW DLL" >&2
  exit 1
fi

version=$(sed -n 's/^project(Quillomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
# The program ships stripped; its debugging information stays beside the
# built program (quillomar.exe.debug), and the shipped copy names it, so that
# a debugger given both finds the symbols.
debug_file="$build/quillomar.exe.debug"
i686-w64-mingw32-objcopy --only-keep-debug "$exe" "$debug_file"
i686-w64-mingw32-strip -o "$staging/quillomar.exe" "$exe"
i686-w64-mingw32-objcopy --add-gnu-debuglink="$debug_file" "$staging/quillomar.exe"
cp docs/Quillomar.htm "$staging/Quillomar.htm"
zip_file="$PWD/$build/quillomar-$version-win32.zip"
rm -f "$zip_file"
(cd "$staging" && zip -q -9 "$zip_file" quillomar.exe Quillomar.htm)
echo "build_windows: $exe (with debugging symbols; the zip's copy has none, they are in $debug_file)"
echo "build_windows: $zip_file"
